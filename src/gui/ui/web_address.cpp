#include "ui/web_address.h"

#include "install_paths.h"

#include <QCoreApplication>
#include <QFileInfo>

QUrl resolveWebAddress(const QString &storedAddress)
{
    return resolveWebAddress(storedAddress,
                             userGuidePath(QCoreApplication::applicationDirPath()));
}

QUrl resolveWebAddress(const QString &storedAddress, const QString &guidePath)
{
    if (!guidePath.isEmpty() && QFileInfo(guidePath).isFile())
        return QUrl::fromLocalFile(QFileInfo(guidePath).absoluteFilePath());
    return QUrl::fromUserInput(storedAddress.trimmed());
}
