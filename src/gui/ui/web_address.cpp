#include "ui/web_address.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString installedGuidePath(const QString &programDirectory)
{
    return QDir::cleanPath(programDirectory +
                           QStringLiteral("/../share/doc/gaming-mouse/index.html"));
}

QUrl resolveWebAddress(const QString &storedAddress)
{
    return resolveWebAddress(storedAddress, QCoreApplication::applicationDirPath());
}

QUrl resolveWebAddress(const QString &storedAddress, const QString &programDirectory)
{
    const QString guide = installedGuidePath(programDirectory);
    if (QFileInfo(guide).isFile())
        return QUrl::fromLocalFile(guide);
    return QUrl::fromUserInput(storedAddress.trimmed());
}
