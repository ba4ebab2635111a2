#pragma once

#include "records/app_state.h"
#include "device/command_protocol.h"
#include "device/device_clock.h"
#include "device/device_lock.h"
#include "device/device_observer.h"
#include "device/hid_transport.h"

#include <functional>

enum class ConnectionState
{
    Start,         // nothing searched yet; the default image is shown
    NoDevice,      // search without result
    NotIdentified, // found, but the registers or the chip byte did not fit; handles kept
    Dropped,       // unsupported mode/layout or flash type; handles given up silently
    TypeError,     // layout differs from the default image
    IdError,       // identification bytes differ from the default image
    Connected,     // identified and read
    ReadFailed,    // identified, but the read-all lost reports; tried again next tick
    NoAccess,      // plugged in, but this user may not open the mouse's nodes
    InUse,         // another program holds the mouse; tried again next tick
};

// The life of a connection up to the read-all: the hot-plug tick, the search
// by ids, the identification and the no-device and error states.
class DeviceConnection
{
public:
    static constexpr int kDevTimerIntervalMs = 3500;
    static constexpr int kSearchWaitMs = 2000;

    DeviceConnection(AppState &state, HidTransport &transport, CommandProtocol &protocol,
                     DeviceClock &clock);

    void setObserver(DeviceObserver *observer) { m_observer = observer ? observer : &m_silent; }
    // The read-all (ConfigurationTransfer::readAll) run after a successful identification; true
    // when the mouse's configuration was read and shown.
    void setReadAll(std::function<bool()> readAll) { m_readAll = std::move(readAll); }
    // The lock held from the search to the end of the read-all.
    void setLockKeeper(DeviceLockKeeper *keeper) { m_lock = keeper ? keeper : &m_noLock; }

    // Handler of DevTimer.
    void DevTimerTimer();
    void checkIdentity();
    void CheckFlashType();
    void ReadDevInfo();
    void DeviceGone();
    // The no-device state, saying which of the mouse's nodes cannot be
    // opened instead of that no mouse is attached.
    void DeviceNotAccessible(const QList<QByteArray> &deniedNodes);
    // The handles given up and the no-device state entered.
    void RefreshErrorAP();

    ConnectionState connectionState() const { return m_connection; }
    const NoDeviceLabels &labels() const { return m_labels; }

private:
    void setLabels(bool noDevice, bool typeError, bool idError);
    void showNoDevicePage(const NoDeviceLabels &labels);
    // A mouse of another layout or identification: the no-device state
    // with the page's error line.
    void rejectMouse(bool typeError, bool idError);
    void giveUpHandles();
    void identified(AppState::Routines routines, bool familyB);
    void identificationError();
    // The search and identification of one candidate pair under the lock;
    // false only when no mouse with these ids was found (another program
    // holding it ends the search too, in InUse).
    bool searchPair(const IdPair &pair);
    void enterInUse();
    // The mouse's handles are set but one of them no longer reaches it.
    bool handlesDead();

    AppState &m_state;
    HidTransport &m_transport;
    CommandProtocol &m_protocol;
    DeviceClock &m_clock;
    DeviceObserver m_silent;
    DeviceObserver *m_observer = &m_silent;
    std::function<bool()> m_readAll;
    DeviceLockKeeper m_noLock;
    DeviceLockKeeper *m_lock = &m_noLock;
    ConnectionState m_connection = ConnectionState::Start;
    bool m_ticked = false; // a tick has counted the interfaces
    NoDeviceLabels m_labels;
};
