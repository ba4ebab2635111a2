#include "desktop_mouse_store.h"

DesktopMouseStore::DesktopMouseStore(OwnMouseSettingsFile ownFile) : m_own(std::move(ownFile)) {}

std::optional<QString> DesktopMouseStore::readValue(Group group, const QString &name)
{
    if (desktopHolds(name))
        return readDesktop(name);
    return m_own.read(group, name);
}

bool DesktopMouseStore::writeValue(Group group, const QString &name, const QString &text)
{
    if (desktopHolds(name))
        return writeDesktop(name, text);
    return m_own.write(group, name, text);
}
