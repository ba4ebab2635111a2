#include "exact_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool saveExactly(const QString &target, const ChosenNameSaver &save, QString *error)
{
    const QFileInfo info(target);
    if (info.isDir()) {
        *error = QStringLiteral("cannot write the file \"%1\": it is a folder").arg(target);
        return false;
    }
    // Same folder, so the final rename never crosses file systems.
    QTemporaryDir scratch(info.absolutePath() + QStringLiteral("/.gaming-mousectl-XXXXXX"));
    if (!scratch.isValid()) {
        *error = QStringLiteral("cannot write the file \"%1\": its folder is missing or not "
                                "writable")
                     .arg(target);
        return false;
    }
    QString written;
    if (!save(scratch.filePath(QStringLiteral("out")), &written, error))
        return false;
    const QByteArray from = QFile::encodeName(written);
    const QByteArray to = QFile::encodeName(info.absoluteFilePath());
    if (std::rename(from.constData(), to.constData()) != 0) {
        *error = QStringLiteral("cannot write the file \"%1\": %2")
                     .arg(target, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}
