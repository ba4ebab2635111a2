#include "backup/backup_image.h"
#include "backup/backup_store.h"
#include "device_rig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The write path's backup step: one backup with what the mouse held before
// each write, none when the newest holds it already, a read first when the
// mouse was not read.
class TestWriteBackups : public QObject
{
    Q_OBJECT

    struct Rig : DeviceRig
    {
        Rig()
        {
            link.transfer.setBackupStore(&store);
            tick();
        }
        // The image a backup of the simulated mouse holds: its memory at the
        // map's places, ParameterB and UserBreath from their own areas.
        QByteArray imageInMemory() const
        {
            const QByteArray memory = sim.memoryBytes();
            const QByteArray image =
                memory.mid(0x6000, 256) + memory.mid(0x6400, 1024) + memory.mid(0x8000, 32 * 1024);
            return withOwnAreas(image, memory.mid(0x7000, 5), memory.mid(0x7005, 4), 58);
        }
        QByteArray newestBackup() const
        {
            QFile file(store.list().value(0).path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }
        QTemporaryDir dir;
        BackupStore store{dir.filePath(QStringLiteral("backups"))};
    };

private slots:
    void aWriteBacksUpWhatWasReadOnce_data()
    {
        QTest::addColumn<bool>("reset");
        QTest::addColumn<bool>("unread");
        QTest::newRow("write-all") << false << false;
        QTest::newRow("reset") << true << false;
        // A reset needs no read of its own; the backup reads first.
        QTest::newRow("reset, unread") << true << true;
    }
    void aWriteBacksUpWhatWasReadOnce()
    {
        QFETCH(bool, reset);
        QFETCH(bool, unread);
        Rig rig;
        // The mouse's own areas differ from their copies in the block.
        rig.sim.writeBytes(0x7000, QByteArray("\x00\x01\x01\x01\x5D", 5));
        if (unread)
            rig.sim.failReportNumber(40); // the next read-all loses a report
        QCOMPARE(rig.link.transfer.readAll(), !unread);
        QCOMPARE(rig.link.transfer.knownMouseImage().isEmpty(), unread);
        const QByteArray before = rig.imageInMemory();
        QByteArray &parameterA = rig.config.sections().ParameterA;
        parameterA[11] = char(parameterA.at(11) == 5 ? 6 : 5); // a DPI level more or less
        rig.config.RefreshUI();
        QVERIFY(reset ? rig.link.transfer.DefaultParameter()
                      : rig.link.transfer.DownloadParameter());
        QCOMPARE(rig.store.list().size(), 1);
        QCOMPARE(rig.newestBackup(), before);
        // The next write saves what the first wrote; after that nothing is
        // new, whether the mouse was written or read afresh.
        QVERIFY(rig.link.transfer.readAll());
        QVERIFY(rig.link.transfer.DownloadParameter());
        QVERIFY(rig.link.transfer.DownloadParameter());
        QVERIFY(rig.link.transfer.readAll());
        QVERIFY(rig.link.transfer.DownloadParameter());
        QCOMPARE(rig.store.list().size(), 2);
        QCOMPARE(rig.newestBackup(), rig.imageInMemory());
    }
};

QTEST_GUILESS_MAIN(TestWriteBackups)
#include "test_write_backups.moc"
