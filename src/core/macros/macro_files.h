#pragma once

#include "records/image_buffers.h"
#include "records/text_lookup.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Macro files are raw copies of the macro area: one macro (its 32-byte
// name-table entry, then its 1024-byte block) or all of them (the whole name
// table, then the 32 blocks). No header, no checksum.
inline constexpr int kSingleMacroFileSize = 32 + kMacroBlockSize;                 // 1056
inline constexpr int kAllMacrosFileSize = kMacroNameTableSize + kMacroBlocksSize; // 33792

struct MacroFileResult
{
    bool ok = false;
    // "Str025" (cannot open), "Str026" (cannot write) or "Str036" (not a
    // macro file of the expected size); empty on success
    QString errorKey;
    QString fileName;     // the file that was read or written
    int expectedSize = 0; // for "Str036"

    explicit operator bool() const { return ok; }
    // The error text for the user, naming the file; empty on success.
    QString message(const TextLookup &text) const;
};

// Exports append ".bin" to the chosen name unless it already ends so.
QString macroExportFileName(const QString &chosenName);

// Refuses ("Str036", the expected size as %2) a file that is not exactly
// `expectedSize` bytes (kSingleMacroFileSize or kAllMacrosFileSize) long;
// ok otherwise. The window checks before it imports, so nothing changes.
MacroFileResult checkMacroFileSize(const QString &fileName, int expectedSize);

// Pure forms: the bytes a file holds, and what a file's bytes do to the image.
// Applying copies only what the bytes reach (a short file leaves the rest
// unchanged) and ignores everything past the expected size.
QByteArray singleMacroFileBytes(const ImageBuffers &image, int index);
QByteArray allMacrosFileBytes(const ImageBuffers &image);
bool applySingleMacroFile(ImageBuffers &image, int index, QByteArrayView bytes);
void applyAllMacrosFile(ImageBuffers &image, QByteArrayView bytes);

// File forms. Exports replace the file atomically, so a failed write leaves
// any earlier file intact; a failed import leaves the image unchanged.
MacroFileResult exportOneMacro(const ImageBuffers &image, int index, const QString &chosenName);
MacroFileResult exportAllMacros(const ImageBuffers &image, const QString &chosenName);
// The same exports under exactly the given file name.
MacroFileResult writeOneMacroFile(const ImageBuffers &image, int index, const QString &fileName);
MacroFileResult writeAllMacrosFile(const ImageBuffers &image, const QString &fileName);
MacroFileResult importOneMacro(ImageBuffers &image, int index, const QString &fileName);
MacroFileResult importAllMacros(ImageBuffers &image, const QString &fileName);
