#include "device/device_connection.h"

#include <QStringList>

#include <array>

namespace {
constexpr quint16 kRegisterSignature = 0x90E7;
constexpr quint8 kSignature = 0xAF;
constexpr quint16 kRegisterMode = 0x90E4;
constexpr quint16 kRegisterFlashType = 0x0008;
constexpr quint32 kIdAddress42 = 0x6053;
constexpr quint32 kIdAddress58 = 0x6057;
constexpr quint32 kIdReadLength = 6;
constexpr int kSamples = 5;
constexpr int kStableSamples = 2;
} // namespace

DeviceConnection::DeviceConnection(AppState &state, HidTransport &transport,
                                   CommandProtocol &protocol, DeviceClock &clock)
    : m_state(state), m_transport(transport), m_protocol(protocol), m_clock(clock)
{}

void DeviceConnection::DevTimerTimer()
{
    if (m_state.DevTimerBusy)
        return;
    m_state.DevTimerBusy = true;

    int stable = 0;
    quint32 current = 0;
    for (int i = 0; i < kSamples; ++i) {
        const quint32 a = m_transport.CountHidInterfaces();
        const quint32 b = m_transport.CountHidInterfaces();
        if (a == b)
            ++stable;
        current = a;
    }

    // A mouse that could not be read completely, or that another program
    // held, is tried again on the next tick even when nothing was plugged.
    // So is one whose handles died: pulled out and plugged in again between
    // two ticks, it leaves the count as it was but sits on new nodes.
    const bool retry = m_connection == ConnectionState::ReadFailed ||
                       m_connection == ConnectionState::InUse || handlesDead();
    if ((qint32(current) != m_state.LastInterfaceCount || retry) && stable >= kStableSamples) {
        m_state.DeviceVendorId = 0;
        m_state.DeviceProductId = 0;
        m_state.CommandHandle = kInvalidHandle;
        m_state.DataHandle = kInvalidHandle;
        // Routines chosen for an earlier mouse must not serve whatever is
        // found now until it is identified in turn.
        m_state.ReadMemory = AppState::Routines::None;
        m_state.WriteMemory = AppState::Routines::None;
        for (const IdPair &pair : m_state.CandidateIds) {
            if (pair.vendorId == 0 || pair.productId == 0) {
                DeviceGone();
                continue;
            }
            m_clock.waitMs(kSearchWaitMs);
            if (searchPair(pair))
                break;
        }
        m_state.LastInterfaceCount = qint32(current);
    } else if (!m_ticked && current == 0 && stable >= kStableSamples) {
        // No HID interface at all from the start: the count never changes
        // from what it was before the first tick, so without this the
        // window would never say that no mouse is there.
        DeviceGone();
    }
    m_ticked = true;

    m_state.DevTimerBusy = false;
}

bool DeviceConnection::handlesDead()
{
    return !m_transport.HandleAlive(m_state.CommandHandle) ||
           !m_transport.HandleAlive(m_state.DataHandle);
}

bool DeviceConnection::searchPair(const IdPair &pair)
{
    DeviceLockScope lock(*m_lock, pair);
    if (!lock.ok()) {
        enterInUse();
        return true;
    }
    const bool found = m_transport.OpenMouse(pair.vendorId, pair.productId);
    // Half a mouse (one node opened, the other refused) cannot be identified
    // either; the refused node is the reason to show.
    const QList<QByteArray> &denied = m_transport.deniedMouseInterfaces();
    if (!denied.isEmpty() && (!found || m_state.CommandHandle == kInvalidHandle ||
                              m_state.DataHandle == kInvalidHandle)) {
        DeviceNotAccessible(denied);
        return true;
    }
    if (!found)
        return false;
    m_state.DeviceVendorId = pair.vendorId;
    m_state.DeviceProductId = pair.productId;
    checkIdentity();
    return true;
}

void DeviceConnection::enterInUse()
{
    // Said once when it starts, not on every tick that finds it so.
    if (m_connection != ConnectionState::InUse)
        m_observer->showMessage({DeviceMessage::Id::MouseInUse});
    m_connection = ConnectionState::InUse;
}

void DeviceConnection::checkIdentity()
{
    // Until the identification gets further, the mouse is found but unknown.
    m_connection = ConnectionState::NotIdentified;
    m_state.IdentifiedIdOffset = -1;
    const std::optional<quint8> signature = m_protocol.readRegister(kRegisterSignature);
    if (!signature || *signature != kSignature)
        return;
    const std::optional<quint8> mode = m_protocol.readRegister(kRegisterMode);
    if (!mode)
        return;
    m_state.DeviceModeByte = *mode;
    ReadDevInfo();
}

void DeviceConnection::CheckFlashType()
{
    const std::optional<quint8> value = m_protocol.readRegister(kRegisterFlashType);
    if (!value)
        return;
    if (*value == 0x9D)
        m_state.FlashType = 32;
    else if (*value == 0xC8)
        m_state.FlashType = 64;
}

void DeviceConnection::ReadDevInfo()
{
    m_connection = ConnectionState::NotIdentified;
    m_state.IdentifiedIdOffset = -1;
    const std::optional<IdentifyReply> reply = m_protocol.identify();
    if (!reply)
        return;

    // A layout byte other than 29 or 58 cannot be assembled for; such a
    // mouse is rejected like one of the other layout.
    bool typeError = true;
    if (reply->layoutByte == 29) {
        m_state.DeviceLayoutCode = 42;
        typeError = m_state.ImageLayoutCode == 58;
    } else if (reply->layoutByte == 58) {
        m_state.DeviceLayoutCode = 58;
        typeError = m_state.ImageLayoutCode == 42;
    }
    if (typeError) {
        rejectMouse(true, false);
        m_connection = ConnectionState::TypeError;
        return;
    }

    const quint32 mode = m_state.DeviceModeByte & 0x0C;
    std::array<quint8, kIdReadLength> id{};
    quint32 idAddress = kIdAddress58;
    bool idRead = false;
    AppState::Routines routines = AppState::Routines::None;
    bool familyB = false;
    switch (reply->chipByte) {
    case 0x50: {
        if ((mode == 4 || mode == 12) && m_state.DeviceLayoutCode == 42) {
            idAddress = kIdAddress42;
        } else if (mode == 4 && m_state.DeviceLayoutCode == 58) {
            idAddress = kIdAddress58;
        } else {
            giveUpHandles();
            m_connection = ConnectionState::Dropped;
            return;
        }
        m_protocol.resetFailedReports();
        idRead = m_protocol.ReadMemory8Quiet(idAddress, kIdReadLength, id);
        routines = AppState::Routines::FamilyA;
        break;
    }
    case 0xA0:
    case 0xA5:
    case 0xAA:
        CheckFlashType();
        if (m_state.FlashType != 64) {
            giveUpHandles();
            m_connection = ConnectionState::Dropped;
            return;
        }
        if (mode != 0 && mode != 8)
            return;
        m_protocol.resetFailedReports();
        idAddress = kIdAddress58; // whatever the layout
        idRead = m_protocol.ReadMemory16Quiet(idAddress, kIdReadLength, id);
        routines = AppState::Routines::FamilyB;
        familyB = true;
        break;
    default:
        return;
    }

    // A read that brought no data would leave 0xFF, which could pass for the
    // default image's identification bytes; such a mouse stays unidentified.
    if (!idRead || m_protocol.failedReports() != 0)
        return;
    if (id[0] == m_state.ImageIdBytes[0] && id[1] == m_state.ImageIdBytes[1]) {
        // What the read-all and every write are checked against.
        m_state.IdentifiedIdOffset = qint32(idAddress & 0xFF);
        m_state.IdentifiedIdBytes[0] = id[0];
        m_state.IdentifiedIdBytes[1] = id[1];
        identified(routines, familyB);
    } else
        identificationError();
}

void DeviceConnection::identified(AppState::Routines routines, bool familyB)
{
    m_state.ParameterLength = 256;
    m_state.ReadMemory = routines;
    m_state.WriteMemory = routines;
    m_state.ChipFamilyA = !familyB;
    m_state.ChipFamilyB = familyB;
    // The read-all starts by clearing the no-device labels.
    setLabels(false, false, false);
    const bool read = m_readAll ? m_readAll() : false;
    m_connection = read ? ConnectionState::Connected : ConnectionState::ReadFailed;
}

void DeviceConnection::identificationError()
{
    rejectMouse(false, true);
    m_connection = ConnectionState::IdError;
}

void DeviceConnection::DeviceGone()
{
    NoDeviceLabels labels;
    labels.lbl_NoDev = true;
    labels.lbl_CheckDev = true;
    showNoDevicePage(labels);
    m_connection = ConnectionState::NoDevice;
}

void DeviceConnection::DeviceNotAccessible(const QList<QByteArray> &deniedNodes)
{
    NoDeviceLabels labels;
    labels.lbl_NoAccess = true;
    labels.lbl_CheckAccess = true;
    QStringList nodes;
    for (const QByteArray &node : deniedNodes)
        nodes.append(QString::fromLocal8Bit(node));
    labels.deniedNodes = nodes.join(QStringLiteral(", "));
    showNoDevicePage(labels);
    m_connection = ConnectionState::NoAccess;
}

void DeviceConnection::showNoDevicePage(const NoDeviceLabels &labels)
{
    m_labels = labels;
    const bool macroListsShown = m_state.ChipFamilyB;
    RefreshErrorAP();
    m_observer->mouseLost(m_labels, macroListsShown);
    m_state.ChipFamilyA = false;
    m_state.ChipFamilyB = false;
}

void DeviceConnection::rejectMouse(bool typeError, bool idError)
{
    m_labels = NoDeviceLabels{};
    m_labels.lbl_TypeError = typeError;
    m_labels.lbl_IDError = idError;
    RefreshErrorAP();
    m_observer->mouseRejected(m_labels);
}

void DeviceConnection::RefreshErrorAP()
{
    giveUpHandles();
    m_state.NoDevicePage = true;
}

void DeviceConnection::setLabels(bool noDevice, bool typeError, bool idError)
{
    NoDeviceLabels labels;
    labels.lbl_NoDev = noDevice;
    labels.lbl_CheckDev = noDevice;
    labels.lbl_TypeError = typeError;
    labels.lbl_IDError = idError;
    m_labels = labels;
    m_observer->labelsChanged(m_labels);
}

void DeviceConnection::giveUpHandles()
{
    m_state.CommandHandle = kInvalidHandle;
    m_state.DataHandle = kInvalidHandle;
    m_transport.closeKeptHandles();
}
