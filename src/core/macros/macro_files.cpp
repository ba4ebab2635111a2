#include "macros/macro_files.h"

#include "macros/macro_names.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <optional>

namespace {

const char *const kCannotOpenKey = "Str025";
const char *const kCannotWriteKey = "Str026";

MacroFileResult success(const QString &fileName)
{
    return {true, QString(), fileName};
}

MacroFileResult failure(const QString &key, const QString &fileName)
{
    return {false, key, fileName};
}

MacroFileResult failure(const char *key, const QString &fileName)
{
    return failure(QString::fromLatin1(key), fileName);
}

bool validIndex(const ImageBuffers &image, int index)
{
    return index >= 0 && index < kMacroCount &&
           image.MacroNameTable.size() >= kMacroNameTableSize &&
           image.MacroBlocks.size() >= kMacroBlocksSize;
}

// Copies what `source` holds of [offset, offset + length) into `target` at `at`.
void copyReached(QByteArrayView source, qsizetype offset, qsizetype length, QByteArray &target,
                 qsizetype at)
{
    if (offset >= source.size())
        return;
    const qsizetype count = std::min(length, source.size() - offset);
    std::copy_n(source.data() + offset, count, target.begin() + at);
}

// Reads at most `limit` bytes. Only regular files are read: a directory,
// a pipe or a device would fail or block instead of giving file contents.
std::optional<QByteArray> readLimited(const QString &fileName, qint64 limit)
{
    if (!QFileInfo(fileName).isFile())
        return std::nullopt;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes;
    while (bytes.size() < limit) {
        const QByteArray chunk = file.read(limit - bytes.size());
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                return std::nullopt;
            break;
        }
        bytes.append(chunk);
    }
    return bytes;
}

MacroFileResult writeAtomically(const QString &fileName, const QByteArray &bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return failure(kCannotWriteKey, fileName);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return failure(kCannotWriteKey, fileName);
    return success(fileName);
}

} // namespace

QString MacroFileResult::message(const TextLookup &text) const
{
    if (ok)
        return QString();
    QString pattern = text ? text(errorKey) : QString();
    if (pattern.isEmpty()) {
        if (errorKey == QLatin1String(kCannotWriteKey))
            pattern = QStringLiteral("Cannot write the file \"%1\".");
        else if (expectedSize > 0)
            pattern = QStringLiteral(
                "\"%1\" is not a macro file of this kind: it must hold exactly %2 bytes.");
        else
            pattern = QStringLiteral("Cannot open the file \"%1\".");
    }
    pattern.replace(QStringLiteral("%2"), QString::number(expectedSize));
    return pattern.replace(QStringLiteral("%1"), fileName);
}

QString macroExportFileName(const QString &chosenName)
{
    return binFileName(chosenName);
}

MacroFileResult checkMacroFileSize(const QString &fileName, int expectedSize)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return failure(kCannotOpenKey, fileName);
    if (info.isFile() && info.size() == expectedSize)
        return success(fileName);
    MacroFileResult refused = failure(QStringLiteral("Str036"), fileName);
    refused.expectedSize = expectedSize;
    return refused;
}

QByteArray singleMacroFileBytes(const ImageBuffers &image, int index)
{
    if (!validIndex(image, index))
        return QByteArray();
    return image.MacroNameTable.mid(qsizetype(index) * kMacroNameEntrySize, kMacroNameEntrySize) +
           image.MacroBlocks.mid(qsizetype(index) * kMacroBlockSize, kMacroBlockSize);
}

QByteArray allMacrosFileBytes(const ImageBuffers &image)
{
    return image.MacroNameTable.left(kMacroNameTableSize) +
           image.MacroBlocks.left(kMacroBlocksSize);
}

bool applySingleMacroFile(ImageBuffers &image, int index, QByteArrayView bytes)
{
    if (!validIndex(image, index))
        return false;
    copyReached(bytes, 0, kMacroNameEntrySize, image.MacroNameTable,
                qsizetype(index) * kMacroNameEntrySize);
    copyReached(bytes, kMacroNameEntrySize, kMacroBlockSize, image.MacroBlocks,
                qsizetype(index) * kMacroBlockSize);
    return true;
}

void applyAllMacrosFile(ImageBuffers &image, QByteArrayView bytes)
{
    if (image.MacroNameTable.size() < kMacroNameTableSize ||
        image.MacroBlocks.size() < kMacroBlocksSize)
        return;
    copyReached(bytes, 0, kMacroNameTableSize, image.MacroNameTable, 0);
    copyReached(bytes, kMacroNameTableSize, kMacroBlocksSize, image.MacroBlocks, 0);
}

MacroFileResult exportOneMacro(const ImageBuffers &image, int index, const QString &chosenName)
{
    return writeOneMacroFile(image, index, macroExportFileName(chosenName));
}

MacroFileResult exportAllMacros(const ImageBuffers &image, const QString &chosenName)
{
    return writeAllMacrosFile(image, macroExportFileName(chosenName));
}

MacroFileResult writeOneMacroFile(const ImageBuffers &image, int index, const QString &fileName)
{
    const QByteArray bytes = singleMacroFileBytes(image, index);
    if (bytes.size() != kSingleMacroFileSize)
        return failure(kCannotWriteKey, fileName);
    return writeAtomically(fileName, bytes);
}

MacroFileResult writeAllMacrosFile(const ImageBuffers &image, const QString &fileName)
{
    const QByteArray bytes = allMacrosFileBytes(image);
    if (bytes.size() != kAllMacrosFileSize)
        return failure(kCannotWriteKey, fileName);
    return writeAtomically(fileName, bytes);
}

MacroFileResult importOneMacro(ImageBuffers &image, int index, const QString &fileName)
{
    if (!validIndex(image, index))
        return failure(kCannotOpenKey, fileName);
    const std::optional<QByteArray> bytes = readLimited(fileName, kSingleMacroFileSize);
    if (!bytes)
        return failure(kCannotOpenKey, fileName);
    applySingleMacroFile(image, index, *bytes);
    return success(fileName);
}

MacroFileResult importAllMacros(ImageBuffers &image, const QString &fileName)
{
    const std::optional<QByteArray> bytes = readLimited(fileName, kAllMacrosFileSize);
    if (!bytes)
        return failure(kCannotOpenKey, fileName);
    applyAllMacrosFile(image, *bytes);
    return success(fileName);
}
