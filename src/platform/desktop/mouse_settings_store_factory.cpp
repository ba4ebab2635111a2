#include "mouse_settings_store_factory.h"

#include "gsettings_mouse_store.h"
#include "kde_mouse_store.h"
#include "x11_mouse_store.h"

#include <QStandardPaths>

namespace {

bool namesDesktop(const QString &list, std::initializer_list<const char *> names)
{
    const QStringList desktops = list.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &desktop : desktops) {
        for (const char *name : names) {
            if (desktop.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

bool isWayland(const DesktopSession &session)
{
    return session.sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
}

} // namespace

DesktopSession currentDesktopSession()
{
    DesktopSession session;
    session.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    session.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE");
    session.gnomeSchemaInstalled = GSettingsMouseStore::schemaInstalled();
    session.x11Display = !qEnvironmentVariableIsEmpty("DISPLAY");
    return session;
}

MouseSettingsStore::Kind chooseMouseStoreKind(const DesktopSession &session)
{
    using Kind = MouseSettingsStore::Kind;
    if (namesDesktop(session.currentDesktop, {"KDE"}))
        return Kind::Kde;
    if (session.gnomeSchemaInstalled &&
        namesDesktop(session.currentDesktop,
                     {"GNOME", "GNOME-Classic", "GNOME-Flashback", "Unity", "Budgie", "Pantheon"}))
        return Kind::Gnome;
    if (session.x11Display && !isWayland(session))
        return Kind::X11;
    return Kind::ProgramOnly;
}

std::unique_ptr<MouseSettingsStore> createMouseSettingsStore(const DesktopSession &session)
{
    using Kind = MouseSettingsStore::Kind;
    OwnMouseSettingsFile own;
    switch (chooseMouseStoreKind(session)) {
    case Kind::Kde:
        return std::make_unique<KdeMouseStore>(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
            isWayland(session), own);
    case Kind::Gnome:
        if (auto store = GSettingsMouseStore::open(own))
            return store;
        break;
    case Kind::X11:
        break;
    case Kind::ProgramOnly:
        return std::make_unique<ProgramOnlyMouseStore>(own);
    }
    if (session.x11Display && !isWayland(session)) {
        if (auto store = X11MouseStore::open(own))
            return store;
    }
    return std::make_unique<ProgramOnlyMouseStore>(own);
}

std::unique_ptr<MouseSettingsStore> createMouseSettingsStore()
{
    return createMouseSettingsStore(currentDesktopSession());
}
