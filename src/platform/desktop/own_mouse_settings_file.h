#pragma once

#include "settings/mouse_settings_store.h"

#include <QString>

#include <optional>

// The program's own settings file, for the values a desktop has no place
// for (wheel lines outside KDE, everything where no desktop store fits), so
// they survive a restart. An INI file under the user's configuration folder.
class OwnMouseSettingsFile
{
public:
    explicit OwnMouseSettingsFile(QString path = defaultPath());

    // $XDG_CONFIG_HOME/gaming-mouse/mouse-settings.ini (or ~/.config/...).
    static QString defaultPath();
    const QString &path() const { return m_path; }

    std::optional<QString> read(MouseSettingsStore::Group group, const QString &name) const;
    bool write(MouseSettingsStore::Group group, const QString &name, const QString &text);

private:
    QString m_path;
};
