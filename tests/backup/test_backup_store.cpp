#include "app/image_buffers.h"
#include "backup/backup_image.h"
#include "backup/backup_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

// The backup folder: names, atomic and never-replacing writes, the newest
// image only once, the newest thirty, the listing and its change lines.
class TestBackupStore : public QObject
{
    Q_OBJECT

    static constexpr IdPair kIds{0x1209, 0x0001};

    static QByteArray image(char fill)
    {
        QByteArray bytes(kImageSize, char(0xFF));
        bytes[1] = char(58);
        bytes[300] = fill;
        return bytes;
    }
    static QDateTime at(int minute, int second = 0)
    {
        return QDateTime(QDate(2026, 12, 9), QTime(22, minute, second), QTimeZone::utc());
    }
    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->filePath(QStringLiteral("state/backups")); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void aSaveWritesOneFileWithTheBytesNamedByTimeAndIds()
    {
        const BackupStore store(folder());
        const BackupResult saved = store.save(image('a'), kIds, at(15, 30));
        QCOMPARE(saved.status, BackupResult::Status::Saved);
        QCOMPARE(QFileInfo(saved.path).fileName(),
                 QStringLiteral("2026-12-09_221530Z_1209-0001.bin"));
        QCOMPARE(contents(saved.path), image('a'));
        // Macros may hold what was typed: only the user reads them.
        QCOMPARE(QFileInfo(folder()).permissions() & (QFile::ReadOther | QFile::ReadGroup),
                 QFile::Permissions());
        const QList<BackupEntry> entries = store.list();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first().ids, kIds);
        QCOMPARE(entries.first().time, at(15, 30));
    }

    void theNewestImageIsNotSavedAgain()
    {
        const BackupStore store(folder());
        QVERIFY(store.save(image('a'), kIds, at(1)).ok());
        const BackupResult again = store.save(image('a'), kIds, at(2));
        QCOMPARE(again.status, BackupResult::Status::Unchanged);
        QCOMPARE(again.path, store.list().first().path);
        QVERIFY(store.save(image('b'), kIds, at(3)).ok());
        // Only the newest counts: an older twin is no reason to skip.
        QCOMPARE(store.save(image('a'), kIds, at(4)).status, BackupResult::Status::Saved);
        QCOMPARE(store.list().size(), 3);
    }

    void theThirtyFirstRemovesTheOldestAndNothingElse()
    {
        const BackupStore store(folder());
        QVERIFY(QDir().mkpath(folder()));
        QFile other(QDir(folder()).filePath(QStringLiteral("notes.txt")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        for (int i = 0; i < BackupStore::kKeptBackups; ++i)
            QVERIFY(store.save(image(char(i)), kIds, at(i)).ok());
        const QString oldest = store.list().last().path;
        QCOMPARE(store.list().size(), 30);
        const BackupResult newest = store.save(image('z'), kIds, at(40));
        QVERIFY(newest.ok());
        const QList<BackupEntry> entries = store.list();
        QCOMPARE(entries.size(), 30);
        QCOMPARE(entries.first().path, newest.path);
        QVERIFY(!QFileInfo::exists(oldest));
        QCOMPARE(entries.last().time, at(1));
        QVERIFY(other.exists());
    }

    void backupsNeverReplaceAFileAndKeepTheirOrder()
    {
        const BackupStore store(folder());
        QVERIFY(QDir().mkpath(folder()));
        // A file already holds the name the next backup would take.
        const QString taken = QDir(folder()).filePath(BackupStore::fileName(at(5), kIds, 1));
        QFile file(taken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("mine");
        file.close();
        const BackupResult second = store.save(image('a'), kIds, at(5));
        QVERIFY(second.ok());
        QCOMPARE(contents(taken), QByteArray("mine"));
        QVERIFY(second.path.endsWith(QLatin1String("_2.bin")));
        // A clock set back never names a backup older than the newest.
        const BackupResult third = store.save(image('b'), kIds, at(1));
        QVERIFY(third.path.endsWith(QLatin1String("_3.bin")));
        QCOMPARE(store.list().first().path, third.path);
        QCOMPARE(store.list().size(), 3);
    }

    void aFolderThatCannotBeMadeFailsWithoutAFile()
    {
        QFile blocker(m_dir->filePath(QStringLiteral("state")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const BackupStore store(folder());
        const BackupResult result = store.save(image('a'), kIds, at(1));
        QCOMPARE(result.status, BackupResult::Status::Failed);
        QVERIFY(result.error.contains(folder()));
        QVERIFY(store.list().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBackupStore)
#include "test_backup_store.moc"
