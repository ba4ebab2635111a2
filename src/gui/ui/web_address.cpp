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
    const QString guide = installedGuidePath(QCoreApplication::applicationDirPath());
    if (QFileInfo(guide).isFile())
        return QUrl::fromLocalFile(guide);
    return QUrl::fromUserInput(storedAddress.trimmed());
}
