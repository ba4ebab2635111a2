#pragma once

#include "records/image_buffers.h"
#include "records/text_lookup.h"

#include <QString>

// The outcome of saving or loading a profile file, for the GUI's message box
// and the command-line tool's error line.
struct ProfileFileResult
{
    enum class Status
    {
        Ok,
        NoDevice,    // refused: no mouse connected ("Str022")
        OpenFailed,  // the file could not be created or opened ("Str025")
        WriteFailed, // the file could not be written completely ("Str026")
        NotAProfile, // refused: the file is not kImageSize bytes long ("Str035")
    };

    Status status = Status::Ok;
    QString fileName; // the file actually used (".bin" appended on save)

    bool ok() const { return status == Status::Ok; }
    // The language key of the message, empty on success.
    QString messageKey() const;
    // The message in the language behind `text`, the file name filled in.
    // Falls back to the English text when the language has no such key.
    QString message(const TextLookup &text) const;
};

// The name a save writes: the chosen name with ".bin" appended unless it
// already ends so ("work" -> "work.bin", "work.bin" -> "work.bin").
QString profileFileName(const QString &chosenName);

// Refuses (NotAProfile) a file that is not exactly one configuration image
// long, before anything is read from it; Ok otherwise. A text file chosen by
// mistake would otherwise become garbled macro names and a profile repaired
// to defaults.
ProfileFileResult checkProfileFileSize(const QString &fileName);

// Writes exactly kImageSize bytes to `fileName` through a temporary file that
// replaces the target only once everything was written, so a failed save
// never leaves a truncated file behind.
ProfileFileResult writeProfileImage(const QString &fileName, const QByteArray &image);

// Reads at most kImageSize bytes of `fileName` and spreads them over
// `buffers` (short files fill only what they reach). On failure the buffers
// are unchanged.
ProfileFileResult readProfileImage(const QString &fileName, ImageBuffers &buffers);
