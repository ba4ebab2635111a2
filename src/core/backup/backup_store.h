#pragma once

#include "records/app_state.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// One backup in the folder, as its name describes it.
struct BackupEntry
{
    QString path;
    QDateTime time;   // UTC, to the second
    IdPair ids;       // the mouse's vendor and product id
    int sequence = 1; // 2, 3 ... for more backups within one second
    qint64 size = 0;
};

// What saving a backup came to.
struct BackupResult
{
    enum class Status
    {
        Saved,     // a new backup was written
        Unchanged, // the newest backup holds these bytes already
        Failed,    // nothing was written; `error` says why
    };
    Status status = Status::Failed;
    QString path; // the backup that holds the image (new or newest)
    QString error;

    bool ok() const { return status != Status::Failed; }
};

// The folder of configuration backups: before every write, the configuration
// the mouse held is saved here as a profile file (kImageSize bytes), so a
// write that goes wrong never loses it.
//
// Names carry the date and time (UTC) and the mouse's ids,
// "2026-12-09_221530Z_1209-0001.bin", with "_2", "_3" ... for a second
// backup within the same second; other files in the folder are left alone.
// A backup is written through a temporary file and takes a name no file has
// (the name is claimed first), so it never replaces another. The newest
// kKeptBackups stay; older ones are removed only after a new one was written.
class BackupStore
{
public:
    static constexpr int kKeptBackups = 30;

    explicit BackupStore(QString folder = defaultFolder());

    // $XDG_STATE_HOME/gaming-mouse/backups, or ~/.local/state/... when the
    // variable is unset or not an absolute path.
    static QString defaultFolder();
    const QString &folder() const { return m_folder; }

    // Every backup, newest first.
    QList<BackupEntry> list() const;

    // Saves `image` as the newest backup unless the newest holds exactly
    // these bytes. `now` is the time the name carries; a clock that went
    // back never names a backup older than the newest.
    BackupResult save(const QByteArray &image, IdPair ids,
                      const QDateTime &now = QDateTime::currentDateTimeUtc()) const;

    // The entry a name of this folder describes; nullopt for other names.
    static std::optional<BackupEntry> parseName(const QString &fileName);
    static QString fileName(const QDateTime &time, IdPair ids, int sequence);

private:
    BackupResult write(const QByteArray &image, IdPair ids, const QDateTime &time,
                       int sequence) const;
    void prune() const;

    QString m_folder;
};

// The bytes of a backup or profile file: exactly kImageSize of them, or
// nullopt with a one-line `error` naming the file.
std::optional<QByteArray> readBackupImage(const QString &path, QString *error);
