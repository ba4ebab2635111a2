#include "records/image_buffers.h"
#include "backup/backup_image.h"
#include "backup/backup_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

// The backup folder (names, never-replacing writes, the newest image only
// once, the newest thirty) and what a backup holds: a family-B mouse's own
// areas, and the one line that says what changed between two backups.
class TestBackupStore : public QObject
{
    Q_OBJECT

    static constexpr IdPair kIds{0x1209, 0x0001};

    static QByteArray image(char fill = char(0xFF), int layoutByte = 58)
    {
        QByteArray bytes(kImageSize, char(0xFF));
        bytes[1] = char(layoutByte);
        bytes[300] = fill;
        return bytes;
    }
    static QDateTime at(int minute, int second = 0)
    {
        return QDateTime(QDate(2026, 12, 9), QTime(22, minute, second), QTimeZone::utc());
    }

private slots:
    void aSaveWritesTheBytesOnceNamedByTimeAndIds()
    {
        QTemporaryDir dir;
        const BackupStore store(dir.filePath(QStringLiteral("state/backups")));
        const BackupResult saved = store.save(image('a'), kIds, at(15, 30));
        QCOMPARE(QFileInfo(saved.path).fileName(),
                 QStringLiteral("2026-12-09_221530Z_1209-0001.bin"));
        QFile file(saved.path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), image('a'));
        // Macros may hold what was typed: only the user reads them.
        QCOMPARE(QFileInfo(store.folder()).permissions() & (QFile::ReadOther | QFile::ReadGroup),
                 QFile::Permissions());
        const BackupResult again = store.save(image('a'), kIds, at(16));
        QCOMPARE(again.status, BackupResult::Status::Unchanged);
        QCOMPARE(again.path, saved.path);
        QVERIFY(store.save(image('b'), kIds, at(17)).ok());
        // Only the newest counts: an older twin is no reason to skip.
        QCOMPARE(store.save(image('a'), kIds, at(18)).status, BackupResult::Status::Saved);
        QCOMPARE(store.list().size(), 3);
        QCOMPARE(store.list().last().time, at(15, 30));
    }

    void theThirtyFirstRemovesTheOldestAndNothingElse()
    {
        QTemporaryDir dir;
        const BackupStore store(dir.path());
        const QString notes = dir.filePath(QStringLiteral("notes.txt"));
        QVERIFY(QFile(notes).open(QIODevice::WriteOnly));
        for (int i = 0; i < BackupStore::kKeptBackups; ++i)
            QVERIFY(store.save(image(char(i)), kIds, at(i)).ok());
        const QString oldest = store.list().last().path;
        const BackupResult newest = store.save(image('z'), kIds, at(40));
        QCOMPARE(store.list().size(), 30);
        QVERIFY(QFileInfo::exists(newest.path) && !QFileInfo::exists(oldest));
        QVERIFY(QFileInfo::exists(notes));
    }

    void backupsNeverReplaceAFileAndKeepTheirOrder()
    {
        QTemporaryDir dir;
        const BackupStore store(dir.path());
        // A file already holds the name the next backup would take.
        const QString taken = dir.filePath(BackupStore::fileName(at(5), kIds, 1));
        QFile file(taken);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("mine") == 4);
        file.close();
        const BackupResult second = store.save(image('a'), kIds, at(5));
        QVERIFY(second.path.endsWith(QLatin1String("_2.bin")));
        QCOMPARE(QFileInfo(taken).size(), 4);
        // A clock set back never names a backup older than the newest.
        const BackupResult third = store.save(image('b'), kIds, at(1));
        QVERIFY(third.path.endsWith(QLatin1String("_3.bin")));
        QCOMPARE(store.list().first().path, third.path);
    }

    void ownAreasGoToTheirPlacesForTheLayout()
    {
        const QByteArray parameterB("\x01\x02\x00\x01\x5E", 5);
        const QByteArray breath("\x10\x20\x30\x0A", 4);
        const QByteArray with58 = withOwnAreas(image(), parameterB, breath, 58);
        QCOMPARE(with58.mid(27, 5), parameterB);
        QCOMPARE(userBreathOf(with58, 58), breath);
        const QByteArray with42 = withOwnAreas(image(char(0xFF), 29), parameterB, breath, 42);
        QCOMPARE(with42.mid(89, 4), breath);
        QCOMPARE(parameterBOf(with42), parameterB);
        const QByteArray other = image(char(0xFF), 7);
        QCOMPARE(withOwnAreas(other, parameterB, breath, 0).mid(32, 61), other.mid(32, 61));
        // Images of any size are compared as far as a profile reaches.
        QCOMPARE(describeImageChanges(other.left(10), other + "tail"), QStringLiteral("no change"));
    }

    void changesInOneLine_data()
    {
        QTest::addColumn<int>("layoutByte");
        QTest::addColumn<QList<int>>("offsets");
        QTest::addColumn<QString>("line");
        QTest::newRow("checksums only") << 58 << QList<int>{26, 31, 109, 254} << "no change";
        QTest::newRow("settings")
            << 58 << QList<int>{11, 27, 28, 29, 95, 120}
            << "DPI levels, current DPI, report rate, profile, fire keys, buttons";
        QTest::newRow("layout 42") << 29 << QList<int>{90, 9, 33} << "light, other bytes";
        QTest::newRow("ids, names, a macro")
            << 58 << QList<int>{3, 87, 300, 1280 + 3 * 1024} << "mouse ids, macro names, macro 3";
        QList<int> many;
        for (int slot : {0, 2, 4, 6, 8, 10, 31})
            many.append(1280 + slot * 1024);
        QTest::newRow("many macros") << 58 << many << "macros 0, 2, 4, 6, 8 and 2 more";
    }
    void changesInOneLine()
    {
        QFETCH(int, layoutByte);
        QFETCH(QList<int>, offsets);
        QFETCH(QString, line);
        const QByteArray older = image(char(0xFF), layoutByte);
        QByteArray newer = older;
        for (int offset : offsets)
            newer[offset] = char(newer.at(offset) ^ 0x01);
        QCOMPARE(describeImageChanges(older, newer), line);
        QCOMPARE(describeImageChanges(newer, older), line);
    }
};

QTEST_GUILESS_MAIN(TestBackupStore)
#include "test_backup_store.moc"
