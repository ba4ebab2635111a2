#include "kde_mouse_store.h"

#include "pointer_speed_scale.h"

#ifdef GM_HAVE_QTDBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#endif

namespace {

const QString kGlobalsGroup = QStringLiteral("KDE");
const QString kDoubleClickKey = QStringLiteral("DoubleClickInterval");
const QString kWheelKey = QStringLiteral("WheelScrollLines");
const QString kInputGroup = QStringLiteral("Mouse");
const QString kAccelerationKey = QStringLiteral("XLbInptPointerAcceleration");

// KGlobalSettings' change types and categories: settings changed, mouse.
constexpr int kSettingsChanged = 3;
constexpr int kMouseCategory = 0;

std::optional<int> decimal(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

#ifdef GM_HAVE_QTDBUS
const QString kKWinService = QStringLiteral("org.kde.KWin");
const QString kDevicesPath = QStringLiteral("/org/kde/KWin/InputDevice");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kDevice = QStringLiteral("org.kde.KWin.InputDevice");

QVariant kwinProperty(const QString &path, const QString &interface, const QString &name)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(kKWinService, path, kProperties, QStringLiteral("Get"));
    call << interface << name;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

// KWin's input devices that are pointers; keyboards and the like have no
// pointer acceleration.
QStringList kwinPointerPaths()
{
    QStringList paths;
    if (!QDBusConnection::sessionBus().isConnected())
        return paths;
    const QStringList devices =
        kwinProperty(kDevicesPath, QStringLiteral("org.kde.KWin.InputDeviceManager"),
                     QStringLiteral("devicesSysNames"))
            .toStringList();
    for (const QString &sysName : devices) {
        const QString path = kDevicesPath + QLatin1Char('/') + sysName;
        if (kwinProperty(path, kDevice, QStringLiteral("pointer")).toBool())
            paths << path;
    }
    return paths;
}

std::optional<double> kwinPointerAcceleration()
{
    for (const QString &path : kwinPointerPaths()) {
        bool ok = false;
        const double value =
            kwinProperty(path, kDevice, QStringLiteral("pointerAcceleration")).toDouble(&ok);
        if (ok)
            return value;
    }
    return std::nullopt;
}

void setKWinPointerAcceleration(double acceleration)
{
    for (const QString &path : kwinPointerPaths()) {
        QDBusMessage set =
            QDBusMessage::createMethodCall(kKWinService, path, kProperties, QStringLiteral("Set"));
        set << kDevice << QStringLiteral("pointerAcceleration")
            << QVariant::fromValue(QDBusVariant(acceleration));
        QDBusConnection::sessionBus().call(set, QDBus::Block, 2000);
    }
}
#endif

} // namespace

KdeMouseStore::KdeMouseStore(const QString &configDir, bool wayland, OwnMouseSettingsFile ownFile)
    : DesktopMouseStore(std::move(ownFile)), m_globals(configDir + QStringLiteral("/kdeglobals")),
      m_input(configDir + QStringLiteral("/kcminputrc")), m_wayland(wayland)
{}

bool KdeMouseStore::desktopHolds(const QString &name) const
{
    return name == mouse_value::MouseSensitivity || name == mouse_value::DoubleClickSpeed ||
           name == mouse_value::WheelScrollLines;
}

std::optional<QString> KdeMouseStore::readDesktop(const QString &name)
{
    if (name == mouse_value::DoubleClickSpeed)
        return m_globals.read(kGlobalsGroup, kDoubleClickKey);
    if (name == mouse_value::WheelScrollLines)
        return m_globals.read(kGlobalsGroup, kWheelKey);
    if (name == mouse_value::MouseSensitivity) {
#ifdef GM_HAVE_QTDBUS
        // On Wayland KWin's own value is the one in effect.
        if (m_wayland) {
            if (const std::optional<double> speed = kwinPointerAcceleration())
                return QString::number(pointer_speed_scale::toSensitivity(*speed));
        }
#endif
        const std::optional<QString> text = m_input.read(kInputGroup, kAccelerationKey);
        if (!text)
            return std::nullopt;
        bool ok = false;
        const double speed = text->toDouble(&ok);
        if (!ok)
            return std::nullopt;
        return QString::number(pointer_speed_scale::toSensitivity(speed));
    }
    return std::nullopt;
}

bool KdeMouseStore::writeDesktop(const QString &name, const QString &text)
{
    const std::optional<int> value = decimal(text);
    if (!value)
        return false;
    if (name == mouse_value::MouseSensitivity)
        return setPointerSpeed(*value);
    const QString &key = name == mouse_value::DoubleClickSpeed ? kDoubleClickKey : kWheelKey;
    if (m_globals.read(kGlobalsGroup, key) == QString::number(*value))
        return true;
    return m_globals.write(kGlobalsGroup, key, QString::number(*value));
}

bool KdeMouseStore::setPointerSpeed(int mouseSensitivity)
{
    // A speed set in KDE's own dialog that already lights this step stays.
    if (readDesktop(mouse_value::MouseSensitivity) == QString::number(mouseSensitivity))
        return true;
    return m_input.write(kInputGroup, kAccelerationKey,
                         QString::number(pointer_speed_scale::toDesktop(mouseSensitivity)));
}

void KdeMouseStore::applyPointerSpeed(int mouseSensitivity)
{
    setPointerSpeed(mouseSensitivity);
#ifdef GM_HAVE_QTDBUS
    if (!m_wayland)
        return;
    const std::optional<double> now = kwinPointerAcceleration();
    if (!now || pointer_speed_scale::toSensitivity(*now) != mouseSensitivity)
        setKWinPointerAcceleration(pointer_speed_scale::toDesktop(mouseSensitivity));
#endif
}

void KdeMouseStore::applyDoubleClickTime(int milliseconds)
{
    if (milliseconds > 0)
        writeDesktop(mouse_value::DoubleClickSpeed, QString::number(milliseconds));
}

void KdeMouseStore::applyWheelScrollLines(int lines)
{
    // A value read from the file goes back as it stands; 0 would stop the
    // wheel.
    if (lines != 0)
        writeDesktop(mouse_value::WheelScrollLines, QString::number(lines));
}

void KdeMouseStore::finishApply()
{
    m_noticeSent = false;
#ifdef GM_HAVE_QTDBUS
    if (QDBusConnection::sessionBus().isConnected()) {
        QDBusMessage notice = QDBusMessage::createSignal(QStringLiteral("/KGlobalSettings"),
                                                         QStringLiteral("org.kde.KGlobalSettings"),
                                                         QStringLiteral("notifyChange"));
        notice << kSettingsChanged << kMouseCategory;
        m_noticeSent = QDBusConnection::sessionBus().send(notice);
    }
#endif
}
