#pragma once

#include "device/command_protocol.h"
#include "device/configuration_transfer.h"
#include "device/device_clock.h"
#include "device/device_connection.h"
#include "device/hid_backend.h"
#include "device/hid_transport.h"
#include "image/configuration.h"

// The device link of one window (or of the command-line tool) in one piece:
// transport, protocol, connection and transfers over one Configuration.
// The connection's identification leads straight into the read-all.
class DeviceLink
{
public:
    DeviceLink(Configuration &config, HidBackend &backend, DeviceClock &clock)
        : transport(backend, config.state()), protocol(transport, config.state()),
          connection(config.state(), transport, protocol, clock), transfer(config, protocol, clock)
    {
        connection.setReadAll([this] { return transfer.Btn_Read(); });
    }
    DeviceLink(const DeviceLink &) = delete;
    DeviceLink &operator=(const DeviceLink &) = delete;

    void setObserver(DeviceObserver *observer)
    {
        connection.setObserver(observer);
        transfer.setObserver(observer);
    }

    HidTransport transport;
    CommandProtocol protocol;
    DeviceConnection connection;
    ConfigurationTransfer transfer;
};
