#include "mouse_session.h"

#include "device/simulated_mouse.h"
#include "hidapi_backend.h"
#include "image/default_image.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

std::optional<SimulatedMouseConfig> simulatorConfig(const QString &kind)
{
    if (kind.size() != 3)
        return std::nullopt;
    SimulatedMouseConfig config;
    if (kind.startsWith(QLatin1Char('a'))) {
        config.chipByte = 0x50;
        config.modeRegister = 4; // the one mode family A supports in both layouts
    } else if (kind.startsWith(QLatin1Char('b'))) {
        config.chipByte = 0xA0;
        config.modeRegister = 0;
    } else {
        return std::nullopt;
    }
    const QStringView layout = QStringView(kind).mid(1);
    if (layout == u"58")
        config.layoutByte = 58;
    else if (layout == u"42")
        config.layoutByte = 29;
    else
        return std::nullopt;
    return config;
}

QString hex4(quint32 value)
{
    return QStringLiteral("0x") +
           QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

} // namespace

MouseSession::MouseSession() = default;

MouseSession::~MouseSession() = default;

bool MouseSession::validKind(const QString &kind)
{
    return simulatorConfig(kind).has_value();
}

bool MouseSession::start(const SessionOptions &options, QString *error)
{
    m_options = options;
    if (!options.simulate.isEmpty()) {
        const std::optional<SimulatedMouseConfig> kind = simulatorConfig(options.simulate);
        if (!kind) {
            *error = QStringLiteral("unknown simulated mouse \"%1\" (use a58, b58, a42 or b42)")
                         .arg(options.simulate);
            return false;
        }
        auto simulated = std::make_unique<SimulatedMouse>(*kind);
        simulated->setTraceEnabled(false); // the tool keeps its own trace
        if (!options.simState.isEmpty() && QFileInfo::exists(options.simState)) {
            if (!simulated->loadMemoryFile(options.simState)) {
                *error = QStringLiteral("cannot use \"%1\" as simulated memory: it must be a "
                                        "readable file of exactly %2 bytes")
                             .arg(options.simState)
                             .arg(SimulatedMouse::kMemorySize);
                return false;
            }
        } else {
            ImageBuffers image;
            if (!readDefaultImage(image) || !simulated->placeImage(joinImage(image))) {
                *error = QStringLiteral("the embedded default image is missing");
                return false;
            }
        }
        m_simulated = simulated.get();
        m_hardware = std::move(simulated);
    } else {
        if (!options.simState.isEmpty()) {
            *error = QStringLiteral("--sim-state needs --simulate");
            return false;
        }
        m_hardware = std::make_unique<HidapiBackend>();
    }
    m_tracer = std::make_unique<TracingBackend>(*m_hardware);

    m_macros = std::make_unique<MacroEditor>(m_config.image());
    m_config.RefreshMacroName = [this] { m_macros->RefreshMacroName(); };
    m_config.MacroNames = [this] { return m_macros->macroNames(); };
    if (!m_config.startUp()) {
        *error = QStringLiteral("the embedded default image is missing or broken");
        return false;
    }

    m_link = std::make_unique<DeviceLink>(m_config, *m_tracer, m_clock);
    m_link->setObserver(&m_observer);
    m_link->transfer.UIToMacroName = [this] { m_macros->UIToMacroName(); };
    return true;
}

ConnectionState MouseSession::connectMouse()
{
    m_observer.setActivity(QStringLiteral("reading"));
    m_link->connection.DevTimerTimer();
    return m_link->connection.connectionState();
}

bool MouseSession::finish(QString *error)
{
    bool ok = true;
    QStringList problems;
    if (m_simulated && !m_options.simState.isEmpty() &&
        !m_simulated->saveMemoryFile(m_options.simState)) {
        problems.append(
            QStringLiteral("cannot write the simulated memory \"%1\"").arg(m_options.simState));
        ok = false;
    }
    if (m_tracer && !m_options.trace.isEmpty()) {
        QSaveFile file(m_options.trace);
        QByteArray text = m_tracer->lines().join(QLatin1Char('\n')).toLatin1();
        if (!text.isEmpty())
            text.append('\n');
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
            problems.append(QStringLiteral("cannot write the trace \"%1\"").arg(m_options.trace));
            ok = false;
        }
    }
    if (!ok)
        *error = problems.join(QStringLiteral("; "));
    return ok;
}

QString MouseSession::statusLine(ConnectionState state) const
{
    const AppState &s = m_config.state();
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
        return QStringLiteral("no access to %1").arg(m_link->connection.labels().deniedNodes);
    }
    return QStringLiteral("not identified");
}

QString MouseSession::notConnectedError() const
{
    const ConnectionState state = m_link->connection.connectionState();
    return notConnectedError(state, m_link->connection.labels().deniedNodes);
}

QString MouseSession::notConnectedError(ConnectionState state, const QString &deniedNodes)
{
    switch (state) {
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
