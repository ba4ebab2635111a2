#include "mouse_session.h"

#include "real_device.h"

namespace {

QString hex4(quint32 value)
{
    return QStringLiteral("0x") +
           QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

} // namespace

QString MouseSession::toolMessage(const DeviceMessage &message, const TextLookup &text)
{
    using Id = DeviceMessage::Id;
    switch (message.id) {
    case Id::NoMouse:
        return notConnectedError(ConnectionState::NoDevice);
    case Id::MouseInUse:
        return notConnectedError(ConnectionState::InUse);
    case Id::ReadFailed:
        return QStringLiteral("reading the mouse failed (reports not answered: %1)")
            .arg(message.reports);
    case Id::NotReadCompletely:
        return QStringLiteral("the mouse was not read completely, so nothing was written");
    case Id::WriteFailed: {
        const QString note = message.backupNote(text);
        const QString own =
            QStringLiteral("writing to the mouse failed (reports not accepted: %1); the mouse may "
                           "hold an incomplete configuration: check the cable and write again.")
                .arg(message.reports);
        return note.isEmpty() ? own : own + QLatin1Char(' ') + note;
    }
    default:
        return message.text(text);
    }
}

MouseSession::MouseSession() = default;

MouseSession::~MouseSession() = default;

bool MouseSession::start(const SessionOptions &options, QString *error)
{
    m_session = CoreSession::open(options, m_clock, realDevice(), error);
    if (!m_session)
        return false;
    if (!config().startUp()) {
        *error = QStringLiteral("the embedded default image is missing or broken");
        return false;
    }
    m_observer.setWording(
        [this](const DeviceMessage &message) { return toolMessage(message, config().text()); });
    link().setObserver(&m_observer);
    m_session->setBackupsEnabled(options.backups);
    return true;
}

void MouseSession::setLanguage(int languageNumber)
{
    config().setLanguage(languageNumber);
}

ConnectionState MouseSession::connectMouse()
{
    if (!m_session->holdMouse()) {
        m_lockProblem = m_session->lockProblem();
        return ConnectionState::InUse;
    }
    m_observer.setActivity(QStringLiteral("reading"));
    link().connection.DevTimerTimer();
    return link().connection.connectionState();
}

bool MouseSession::finish(QString *error)
{
    return !m_session || m_session->finish(error);
}

QString MouseSession::statusLine(ConnectionState state) const
{
    const AppState &s = m_session->config().state();
    switch (state) {
    case ConnectionState::Connected:
        return QStringLiteral("connected family %1 layout %2 vendor %3 product %4")
            .arg(s.ChipFamilyB ? QLatin1Char('B') : QLatin1Char('A'))
            .arg(s.DeviceLayoutCode)
            .arg(hex4(s.DeviceVendorId), hex4(s.DeviceProductId));
    case ConnectionState::Start:
    case ConnectionState::NoDevice:
        return QStringLiteral("no device");
    case ConnectionState::TypeError:
        return QStringLiteral("type error");
    case ConnectionState::IdError:
        return QStringLiteral("id error");
    case ConnectionState::Dropped:
        return QStringLiteral("dropped");
    case ConnectionState::NotIdentified:
        return QStringLiteral("not identified");
    case ConnectionState::ReadFailed:
        return QStringLiteral("read failed");
    case ConnectionState::NoAccess:
        return QStringLiteral("no access to %1")
            .arg(m_session->link().connection.labels().deniedNodes);
    case ConnectionState::InUse:
        return QStringLiteral("in use");
    }
    return QStringLiteral("not identified");
}

QString MouseSession::notConnectedError(ConnectionState state, const QString &deniedNodes)
{
    switch (state) {
    case ConnectionState::InUse:
        return QStringLiteral("another program is using the mouse; try again when it is done");
    case ConnectionState::Start:
    case ConnectionState::NoDevice:
        return QStringLiteral("no device found: please check your device is attached to USB port");
    case ConnectionState::TypeError:
        return QStringLiteral("type error: the mouse's layout differs from the default image's");
    case ConnectionState::IdError:
        return QStringLiteral("id error: the mouse manufacturer or product id does not match");
    case ConnectionState::Dropped:
        return QStringLiteral("the mouse was dropped: its mode or flash type is not supported");
    case ConnectionState::NotIdentified:
        return QStringLiteral("the mouse was found but could not be identified");
    case ConnectionState::ReadFailed:
        return QStringLiteral("the mouse's configuration could not be read");
    case ConnectionState::NoAccess:
        return QStringLiteral("the mouse is attached, but %1 cannot be opened: this user has no "
                              "access to the mouse. Install the udev rule 70-gaming-mouse.rules "
                              "(it comes with the package), then unplug and re-plug the mouse")
            .arg(deniedNodes);
    case ConnectionState::Connected:
        break;
    }
    return QString();
}
