#pragma once

#include "device/command_protocol.h"
#include "device/configuration_transfer.h"
#include "device/device_clock.h"
#include "device/device_connection.h"
#include "device/device_lock.h"
#include "device/hid_backend.h"
#include "device/hid_transport.h"
#include "configuration/configuration.h"

// The device link of one window (or of the command-line tool) in one piece:
// transport, protocol, connection and transfers over one Configuration.
// The connection's identification leads straight into the read-all.
class DeviceLink
{
public:
    DeviceLink(Configuration &config, HidBackend &backend, DeviceClock &clock)
        : transport(backend, config.state()), protocol(transport, config.state()),
          connection(config.state(), transport, protocol, clock), transfer(config, protocol)
    {
        connection.setReadAll([this] { return transfer.readAll(); });
        connection.setLockKeeper(&lockKeeper);
        transfer.setLockKeeper(&lockKeeper);
    }
    DeviceLink(const DeviceLink &) = delete;
    DeviceLink &operator=(const DeviceLink &) = delete;

    void setObserver(DeviceObserver *observer)
    {
        connection.setObserver(observer);
        transfer.setObserver(observer);
    }

    // One program at a time per mouse: set the lock before the first tick
    // (none by default). A caller that wants the mouse for longer than one
    // transfer, such as a read-modify-write command, enters it itself.
    void setLock(DeviceLock *lock) { lockKeeper.setLock(lock); }

    DeviceLockKeeper lockKeeper;
    HidTransport transport;
    CommandProtocol protocol;
    DeviceConnection connection;
    ConfigurationTransfer transfer;
};
