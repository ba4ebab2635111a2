#include "backup/backup_image.h"
#include "backup/backup_store.h"
#include "device_rig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The configuration image a backup of the simulated mouse holds: its
// memory at the map's places, ParameterB and UserBreath from their own areas.
QByteArray imageInMemory(const SimulatedMouse &sim)
{
    const QByteArray memory = sim.memoryBytes();
    const QByteArray image =
        memory.mid(0x6000, 256) + memory.mid(0x6400, 1024) + memory.mid(0x8000, 32 * 1024);
    return withOwnAreas(image, memory.mid(0x7000, 5), memory.mid(0x7005, 4), 58);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The write path's backup step: one backup with what the mouse held before
// each write, none when the newest holds it already, a read first when the
// mouse was not read.
class TestWriteBackups : public QObject
{
    Q_OBJECT

    struct Rig : DeviceRig
    {
        explicit Rig(const QString &folder) : store(folder)
        {
            link.transfer.setBackupStore(&store);
            tick();
        }
        // A DPI level more or less: a change every write stores.
        void changeSomething()
        {
            QByteArray &parameterA = config.sections().ParameterA;
            parameterA[11] = char(parameterA.at(11) == 5 ? 6 : 5);
            config.RefreshUI();
        }
        BackupStore store;
    };

    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->filePath(QStringLiteral("backups")); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void aWriteMakesOneBackupOfWhatWasRead_data()
    {
        QTest::addColumn<bool>("reset");
        QTest::newRow("write-all") << false;
        QTest::newRow("reset") << true;
    }
    void aWriteMakesOneBackupOfWhatWasRead()
    {
        QFETCH(bool, reset);
        Rig rig(folder());
        QVERIFY(rig.link.transfer.lastReadComplete());
        // The mouse's own areas differ from their copies in the block.
        rig.sim.writeBytes(0x7000, QByteArray("\x00\x01\x01\x01\x5D", 5));
        QVERIFY(rig.link.transfer.Btn_Read());
        const QByteArray before = imageInMemory(rig.sim);
        rig.changeSomething();
        QVERIFY(reset ? rig.link.transfer.DefaultParameter()
                      : rig.link.transfer.DownloadParameter());
        const QList<BackupEntry> entries = rig.store.list();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(contents(entries.first().path), before);
        QCOMPARE(entries.first().ids, (IdPair{0x1209, 0x0001}));
        QCOMPARE(rig.link.transfer.lastBackup(), entries.first().path);
        QVERIFY(rig.observer.messages.isEmpty());
    }

    void whatTheMouseHoldsAlreadyIsNotSavedAgain()
    {
        Rig rig(folder());
        rig.changeSomething();
        QVERIFY(rig.link.transfer.DownloadParameter());
        // What the first write wrote is what the mouse holds now.
        QCOMPARE(rig.link.transfer.knownMouseImage(), imageInMemory(rig.sim));
        QVERIFY(rig.link.transfer.DownloadParameter());
        QCOMPARE(rig.store.list().size(), 2);
        QVERIFY(rig.link.transfer.DownloadParameter());
        QVERIFY(rig.link.transfer.Btn_Read()); // read afresh: the same bytes
        QVERIFY(rig.link.transfer.DownloadParameter());
        QCOMPARE(rig.store.list().size(), 2);
        QCOMPARE(contents(rig.store.list().first().path), imageInMemory(rig.sim));
    }

    void aResetOfAnUnreadMouseReadsItFirst()
    {
        Rig rig(folder());
        const QByteArray before = imageInMemory(rig.sim);
        rig.sim.failReportNumber(40); // the next read-all loses a report
        QVERIFY(!rig.link.transfer.Btn_Read());
        QVERIFY(!rig.link.transfer.lastReadComplete());
        QVERIFY(rig.link.transfer.knownMouseImage().isEmpty());
        QVERIFY(rig.link.transfer.DefaultParameter());
        QCOMPARE(rig.store.list().size(), 1);
        QCOMPARE(contents(rig.store.list().first().path), before);
    }
};

QTEST_GUILESS_MAIN(TestWriteBackups)
#include "test_write_backups.moc"
