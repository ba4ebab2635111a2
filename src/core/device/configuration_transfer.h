#pragma once

#include "backup/backup_store.h"
#include "device/command_protocol.h"
#include "device/device_lock.h"
#include "device/device_observer.h"
#include "device/mouse_system_settings.h"
#include "configuration/configuration.h"

#include <array>
#include <functional>

// Moves the whole configuration between the mouse and the working buffers:
// the read-all after every identification and the three write actions.
//
// Unlike the bare protocol, the transfers do not let failed reports pass: a
// read-all that lost any report changes no buffer and leaves the window as
// it was, and a write-all or reset that lost reports says how many. As the
// replies carry no check of their own, a read-all reads the parameter block
// twice (first and last) and takes nothing unless both reads agree and hold
// the identification bytes the identification read. A write-all only
// follows a complete read-all of the mouse, so buffers that never came from
// it cannot overwrite its macros, and it always writes the mouse's own
// identity bytes back (mouse_identity.h); a block that would not pass the
// identification is never written.
//
// Every write (write-all, reset, restore) first saves the configuration the
// mouse holds in the backup folder, when one is set; a backup that cannot be
// written stops the write unless the user chooses to write without one.
class ConfigurationTransfer
{
public:
    ConfigurationTransfer(Configuration &config, CommandProtocol &protocol);

    void setObserver(DeviceObserver *observer) { m_observer = observer ? observer : &m_silent; }
    // May be null: the desktop settings are then neither shown nor applied.
    void setMouseSystemSettings(MouseSystemSettings *settings) { m_systemSettings = settings; }
    // The lock every transfer holds (may be null: no lock).
    void setLockKeeper(DeviceLockKeeper *keeper) { m_lock = keeper; }
    // Where the mouse's configuration is saved before every write (may be
    // null: no backups).
    void setBackupStore(const BackupStore *store) { m_backups = store; }

    // Read-all. True only when every report of it was answered and the
    // parameter block read consistently: the mouse's whole configuration
    // then replaces the buffers and is shown. Otherwise nothing changes, the
    // failure is shown (Str024 for lost reports, Str030 for an inconsistent
    // answer, Str029 when another program holds the mouse) and the mouse
    // counts as not read.
    bool readAll();
    void ShowDevicePages();

    void confirm();
    void apply();
    void reset();

    // Write-all and reset; true only when every report was accepted. The
    // write-all is refused (Str028) while the mouse is not read; the reset
    // needs no read. Both send nothing (Str031) when the block to write would
    // not carry the identification bytes of the identified mouse.
    bool DownloadParameter();
    bool DefaultParameter();
    // The buffers and pages as a reset leaves them, without a report sent:
    // what DefaultParameter writes, and a dry run of it shows. False when
    // the embedded defaults cannot be read.
    bool takeDefaults();
    // Writes a whole image (a backup or profile file) back as it stands,
    // everything it holds included: for a family-B mouse also the ParameterB
    // and UserBreath areas, from their places in its parameter block, which
    // a loaded profile leaves as the mouse had them. The mouse's identity
    // bytes are kept; the pages show the image. Needs a complete read-all,
    // as the write-all does.
    bool restoreImage(const QByteArray &image);
    // The buffers and pages as a restore of `image` leaves them, without a
    // report sent: what restoreImage writes, and a dry run of it shows.
    void takeRestoredImage(const QByteArray &image);

    // What the mouse holds as far as this run knows it, as a backup holds
    // it: from the last complete read-all, then from every write that lost
    // no report. Empty while unknown.
    const QByteArray &knownMouseImage() const { return m_known; }
    // The backup holding what the mouse had before the last write (a new
    // one, or the newest when that held it already); empty when none.
    const QString &lastBackup() const { return m_lastBackup; }
    // Why the last write made no backup, when that stopped or would have
    // stopped it; empty otherwise.
    const QString &backupProblem() const { return m_backupProblem; }

    // The data reports a transfer of `kind` moves with the connected mouse's
    // family and parameter length when none is lost: what the busy window
    // counts towards.
    int reportCount(TransferKind kind) const;

    bool busy() const { return m_busy; }
    // Reports lost by the last transfer (0 after a clean one).
    quint32 lastFailedReports() const { return m_lastFailed; }
    // True once a read-all of the connected mouse got every report; false
    // after a failed one. Confirm, Apply and the write-all need it.
    bool lastReadComplete() const { return m_lastReadComplete; }
    // True when the last transfer could not start because another program
    // holds the mouse.
    bool lastLockRefused() const { return m_lockRefused; }

private:
    // The name table and the macro blocks are written in pieces.
    static constexpr quint32 kPieceSize = 256;
    static constexpr int kPiecesPerKilobyte = 4;

    class BusyScope;

    void writeAction(WriteCommand command);
    // The data reports of writeConfiguration and of readWholeMouse.
    int writeReportCount() const;
    int readReportCount() const;
    bool deviceReady() const;
    // Piece by piece through StagingBuffer, results ignored (counted).
    void writeMacroArea(const QByteArray &nameTable, const QByteArray &macroBlocks);
    void writeShortSections();
    // Erase (family B), the parameter block and, once it was accepted, the
    // macro area of `macros` and the short sections, then the reload.
    void writeConfiguration(const QByteArray &block, const ImageBuffers &macros);
    // The image the mouse holds once writeConfiguration wrote these without
    // a loss.
    QByteArray writtenImage(const QByteArray &block, const QByteArray &nameTable,
                            const QByteArray &macroBlocks) const;
    // Lets go of the mouse and says how the write went (settleWrite).
    bool finishWrite(TransferKind kind, bool identityKept, const QByteArray &written);
    struct MouseImage;
    enum class ReadOutcome
    {
        Lost,         // a report went unanswered
        Inconsistent, // every report answered, but the two block reads disagree
        Complete
    };
    bool readInto(quint32 address, std::span<quint8> scratch);
    ReadOutcome readWholeMouse(MouseImage &read);
    void takeWholeMouse(const MouseImage &read);
    QByteArray imageOf(const MouseImage &read) const;
    bool takeLock();
    // The one way to the mouse of every write: the lock, the backup, then
    // `write` behind the busy window (it returns what it wrote and clears
    // its flag when the block would not pass the identification), then
    // finishWrite. True only when every report was accepted.
    bool backedUpWrite(TransferKind kind,
                       const std::function<QByteArray(bool &identityKept)> &write);
    // Saves what the mouse holds (read first when it is not known); on
    // failure asks whether to write without a backup. False: do not write.
    bool backupBeforeWrite();
    bool readForBackup();
    // After a sent write: a complete one makes `written` the known image; a
    // failed one is shown, with the offer to write back the configuration
    // the mouse had before when a backup holds it. True when complete.
    bool settleWrite(TransferKind kind, const QByteArray &written);

public:
    // A message of the device link in the current language.
    QString messageText(DeviceMessage::Id id) const;

private:
    Configuration &m_config;
    AppState &m_state;
    CommandProtocol &m_protocol;
    DeviceObserver m_silent;
    DeviceObserver *m_observer = &m_silent;
    MouseSystemSettings *m_systemSettings = nullptr;
    std::array<quint8, 256> StagingBuffer{};
    DeviceLockKeeper *m_lock = nullptr;
    const BackupStore *m_backups = nullptr;
    QByteArray m_known;
    QString m_lastBackup;
    QString m_backupProblem;
    bool m_stoppedForBackup = false; // the last write sent nothing: no backup
    // The parameter block as last read from the mouse: its identity bytes go
    // into every block written.
    QByteArray m_mouseBlock;
    bool m_busy = false;
    quint32 m_lastFailed = 0;
    bool m_lastReadComplete = false;
    bool m_failureShown = false; // the read failures in a row were already reported
    bool m_lockRefused = false;
};
