#include "own_mouse_settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString groupName(MouseSettingsStore::Group group)
{
    return group == MouseSettingsStore::Group::Mouse ? QStringLiteral("Mouse")
                                                     : QStringLiteral("Desktop");
}

} // namespace

OwnMouseSettingsFile::OwnMouseSettingsFile(QString path) : m_path(std::move(path)) {}

QString OwnMouseSettingsFile::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/gaming-mouse/mouse-settings.ini");
}

std::optional<QString> OwnMouseSettingsFile::read(MouseSettingsStore::Group group,
                                                  const QString &name) const
{
    if (!QFileInfo::exists(m_path))
        return std::nullopt;
    QSettings file(m_path, QSettings::IniFormat);
    const QString key = groupName(group) + QLatin1Char('/') + name;
    if (!file.contains(key))
        return std::nullopt;
    return file.value(key).toString();
}

bool OwnMouseSettingsFile::write(MouseSettingsStore::Group group, const QString &name,
                                 const QString &text)
{
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    QSettings file(m_path, QSettings::IniFormat);
    file.setValue(groupName(group) + QLatin1Char('/') + name, text);
    file.sync();
    return file.status() == QSettings::NoError;
}
