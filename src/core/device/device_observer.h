#pragma once

#include "device/device_message.h"

#include <QString>

// What the no-device page shows.
struct NoDeviceLabels
{
    bool lbl_NoDev = false;
    bool lbl_CheckDev = false;
    bool lbl_TypeError = false;
    bool lbl_IDError = false;
    // The mouse is plugged in but this user may not open its nodes:
    // lbl_NoAccess shows Str104 with %1 replaced by deniedNodes (the node
    // paths, comma-separated), lbl_CheckAccess shows Str105 below it.
    bool lbl_NoAccess = false;
    bool lbl_CheckAccess = false;
    QString deniedNodes;
    friend bool operator==(const NoDeviceLabels &, const NoDeviceLabels &) = default;
};

// The transfers of the device link that move the configuration.
enum class TransferKind
{
    ReadAll,    // the read-all after an identification
    BackupRead, // the whole mouse read for a backup before a write
    WriteAll,   // Confirm, Apply and the command-line write
    Reset,      // the embedded defaults written
    Restore     // a backup or profile image written as it stands
};

// The write commands of the device link.
enum class WriteCommand
{
    Confirm,
    Apply,
    Reset
};

// Transfers that write the mouse (and so close any open menu first).
inline bool writesTheMouse(TransferKind kind)
{
    return kind == TransferKind::WriteAll || kind == TransferKind::Reset ||
           kind == TransferKind::Restore;
}

// What the device link tells its front end, in the device's terms: the
// transfers with their report counts and failures, the mouse lost, rejected
// or read, the writes asked for, and the messages by what they say. The front end decides what its window
// or its output does about each; every event has an empty default, so the
// command-line tool and tests implement only what they need.
class DeviceObserver
{
public:
    virtual ~DeviceObserver() = default;

    // Start of a transfer: DevTimer off, input cover on, busy window shown,
    // pending messages processed once. `reportCount` is the number of data
    // reports the transfer moves when none is lost (one progress call each).
    virtual void transferStarted(TransferKind kind, int reportCount)
    {
        Q_UNUSED(kind);
        Q_UNUSED(reportCount);
    }
    // One 7-byte chunk moved: show the busy window again, process messages.
    virtual void transferProgress(int chunk, int chunkCount)
    {
        Q_UNUSED(chunk);
        Q_UNUSED(chunkCount);
    }
    // End of a transfer: busy window hidden, messages processed, DevTimer
    // on, input cover off. Always paired with transferStarted().
    virtual void transferEnded() {}

    // The device link waits: the front end may handle what is pending.
    virtual void processEvents() {}
    // What the no-device page says changed (cleared when a mouse is
    // identified and its read begins).
    virtual void labelsChanged(const NoDeviceLabels &labels) { Q_UNUSED(labels); }
    // The mouse went away or may not be opened; its handles are given up.
    // `page` is what the no-device page says; `macroListsShown` when the
    // lost mouse was of family B, whose macro lists are on show.
    virtual void mouseLost(const NoDeviceLabels &page, bool macroListsShown)
    {
        Q_UNUSED(page);
        Q_UNUSED(macroListsShown);
    }
    // A mouse answered that this configuration cannot serve (another layout,
    // other identification bytes); its handles are given up.
    virtual void mouseRejected(const NoDeviceLabels &page) { Q_UNUSED(page); }
    // A read-all took the mouse's configuration, of family A or B. The
    // window shows the macro page button, its picture and Key_Macro for
    // family B only, the function menu height, page 1, page editing unlocked,
    // and the profile of the selected tab opened again.
    virtual void readCompleted(bool familyA, bool familyB)
    {
        Q_UNUSED(familyA);
        Q_UNUSED(familyB);
    }
    // A reset of a family-B mouse took the default macros: the window empties
    // LB_MacroName, LB_macro, mmo_macro and mmo_wrscript.
    virtual void defaultMacrosTaken() {}
    // The window's pressed pictures name the commands by their buttons.
    using WriteButton = WriteCommand;
    // Confirm, Apply or Reset asked for, before anything else happens: the
    // window shows the button's pressed picture.
    virtual void writeRequested(WriteCommand command) { Q_UNUSED(command); }
    // A transfer lost reports, or read what cannot be taken (`lostReports`
    // is then 0); sent after transferEnded() and before its message.
    virtual void transferFailed(TransferKind kind, quint32 lostReports)
    {
        Q_UNUSED(kind);
        Q_UNUSED(lostReports);
    }
    // A message for the user: in the window, a box without icon and with one
    // OK button.
    virtual void showMessage(const DeviceMessage &message) { Q_UNUSED(message); }
    // A message with its offer as a second button after OK; true when the
    // user took the offer. Where nobody can choose, the message is shown as
    // any other and the offer declined.
    virtual bool showMessageWithOffer(const DeviceMessage &message)
    {
        showMessage(message);
        return false;
    }
    // Confirm has written (whatever the result, unless the user kept it from
    // writing for want of a backup): the window closes.
    virtual void confirmFinished() {}
};
