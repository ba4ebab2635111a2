#include "records/file_kinds.h"

#include <QFileInfo>

QString unusableFileReason(const QString &path, const QString &what)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("%1 \"%2\" is a symbolic link that leads to no file").arg(what, path);
    if (info.exists() && !info.isFile())
        return QStringLiteral("%1 \"%2\" is not a regular file").arg(what, path);
    return {};
}
