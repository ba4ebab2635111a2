#include "image/profile_file.h"

#include "image/default_image.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString ProfileFileResult::messageKey() const
{
    switch (status) {
    case Status::Ok:
        return {};
    case Status::NoDevice:
        return QStringLiteral("Str022");
    case Status::OpenFailed:
        return QStringLiteral("Str025");
    case Status::WriteFailed:
        return QStringLiteral("Str026");
    case Status::NotAProfile:
        return QStringLiteral("Str035");
    }
    return {};
}

QString ProfileFileResult::message(const TextLookup &text) const
{
    const QString key = messageKey();
    if (key.isEmpty())
        return {};
    QString pattern = text ? text(key) : QString();
    if (pattern.isEmpty()) {
        switch (status) {
        case Status::NoDevice:
            pattern = QStringLiteral("The specified device not find");
            break;
        case Status::OpenFailed:
            pattern = QStringLiteral("Cannot open the file \"%1\".");
            break;
        case Status::WriteFailed:
            pattern = QStringLiteral("Cannot write the file \"%1\".");
            break;
        case Status::NotAProfile:
            pattern = QStringLiteral("\"%1\" is not a profile file. Nothing was loaded.");
            break;
        case Status::Ok:
            break;
        }
    }
    return pattern.contains(QLatin1String("%1")) ? pattern.arg(fileName) : pattern;
}

QString profileFileName(const QString &chosenName)
{
    return binFileName(chosenName);
}

ProfileFileResult checkProfileFileSize(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return {ProfileFileResult::Status::OpenFailed, fileName};
    if (!info.isFile() || info.size() != kImageSize)
        return {ProfileFileResult::Status::NotAProfile, fileName};
    return {ProfileFileResult::Status::Ok, fileName};
}

ProfileFileResult writeProfileImage(const QString &fileName, const QByteArray &image)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return {ProfileFileResult::Status::OpenFailed, fileName};
    const QByteArray exact = image.left(kImageSize).leftJustified(kImageSize, char(0xFF));
    if (file.write(exact) != exact.size() || !file.commit())
        return {ProfileFileResult::Status::WriteFailed, fileName};
    return {ProfileFileResult::Status::Ok, fileName};
}

ProfileFileResult readProfileImage(const QString &fileName, ImageBuffers &buffers)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {ProfileFileResult::Status::OpenFailed, fileName};

    // Never more than the image holds, whatever the file's size; sequential
    // files may deliver it in pieces.
    QByteArray raw;
    raw.reserve(kImageSize);
    while (raw.size() < kImageSize) {
        const QByteArray piece = file.read(kImageSize - raw.size());
        if (piece.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                return {ProfileFileResult::Status::OpenFailed, fileName};
            break;
        }
        raw.append(piece);
    }
    spreadImage(raw, buffers);
    return {ProfileFileResult::Status::Ok, fileName};
}
