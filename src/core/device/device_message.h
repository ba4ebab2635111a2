#pragma once

#include "records/text_lookup.h"

#include <QString>

// What the device link has to tell the user, named for what happened rather
// than worded: the window words it in its language, the command-line tool in
// its own words.
struct DeviceMessage
{
    enum class Id
    {
        NoMouse,            // a write asked for without a usable mouse ("Str022")
        WriteFailed,        // reports of a write were not accepted ("Str023")
        ReadFailed,         // reports of a read-all were not answered ("Str024")
        NotReadCompletely,  // the last read-all was not complete: nothing written ("Str028")
        MouseInUse,         // another program holds the mouse ("Str029")
        ReadInconsistent,   // the two reads of the parameter block differ ("Str030")
        IdentityWouldBreak, // the block would not pass the identification: nothing written
                            // ("Str031")
        BackupNotSaved,     // the backup could not be written: nothing written yet ("Str040")
        BackupNotRead,      // the mouse could not be read for its backup ("Str043")
    };
    // What the user may choose besides OK.
    enum class Offer
    {
        None,
        WriteWithoutBackup, // write all the same ("Str041")
        WriteItBack,        // write the configuration of `backup` back at once ("Str044")
    };

    // Implicit, so a message that is only its id is written as the id.
    // cppcheck-suppress noExplicitConstructor
    DeviceMessage(Id what, quint32 lostReports = 0) : id(what), reports(lostReports) {}

    Id id;
    quint32 reports = 0; // the reports lost (ReadFailed, WriteFailed)
    QString folder;      // the backup folder (BackupNotSaved)
    QString backup;      // the backup holding what the mouse had before (WriteFailed)
    Offer offer = Offer::None;

    // The language key of the message ("Str022" ...).
    QString key() const;
    // The message in the language behind `text`, with a built-in English text
    // where the language lacks it. A failed write names its backup ("Str042").
    QString text(const TextLookup &text) const;
    // Where a failed write's backup is ("Str042"); empty without one.
    QString backupNote(const TextLookup &text) const;
    // The caption of the offer's button; empty for Offer::None.
    QString offerText(const TextLookup &text) const;
};
