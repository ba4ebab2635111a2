#include "cli_test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// gaming-mousectl's backups: one before every write, the listing, --no-backup,
// and restore, against the simulated mouse.
class TestBackups : public QObject
{
    Q_OBJECT

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString folder() const { return path("state/gaming-mouse/backups"); }
    CliRun run(const QStringList &args) { return runCli(onSimulatedMouse(args), m_dir->path()); }
    QStringList backups() const
    {
        return QDir(folder()).entryList({"*.bin"}, QDir::Files, QDir::Name | QDir::Reversed);
    }
    QByteArray newestBackup() const { return readAll(QDir(folder()).filePath(backups().value(0))); }
    // The configuration image in the simulated memory, as a backup holds it.
    QByteArray imageInMemory() const
    {
        const QByteArray memory = readAll(path("mouse.mem"));
        QByteArray image = memory.mid(kSimParameterAddress, 256) +
                           memory.mid(kSimNameTableAddress, 1024) +
                           memory.mid(kSimMacroAddress, 32 * 1024);
        image.replace(kParameterBOffset, 5, memory.mid(kSimParameterBAddress, 5));
        image.replace(32, 4, memory.mid(kSimParameterBAddress + 5, 4));
        return image;
    }
    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("XDG_STATE_HOME", path("state").toLocal8Bit());
        QCOMPARE(run({"status"}).exitCode, 0); // mouse.mem now exists
    }

    void eachWriteBacksUpWhatItReplacesAndTheListSaysWhatChanged()
    {
        const QByteArray before = imageInMemory();
        QCOMPARE(run({"set", "dpi", "800,1600"}).exitCode, 0);
        QCOMPARE(backups().size(), 1);
        QCOMPARE(newestBackup(), before);
        // Nothing to change: nothing written, nothing saved.
        QCOMPARE(run({"set", "dpi", "800,1600"}).exitCode, 0);
        QCOMPARE(backups().size(), 1);
        const QByteArray afterDpi = imageInMemory();
        QCOMPARE(run({"button", "main", "5", "back"}).exitCode, 0);
        QCOMPARE(backups().size(), 2);
        QCOMPARE(newestBackup(), afterDpi);
        // A reset reads first, too, and saves what the button write left.
        QCOMPARE(run({"reset"}).exitCode, 0);
        QCOMPARE(backups().size(), 3);

        const CliRun listed = runCli({"backups"}, m_dir->path());
        QCOMPARE(listed.exitCode, 0);
        const QStringList lines = listed.outLines();
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines.at(0).contains(folder()));
        QVERIFY(lines.at(2).contains("1209:0001  34048  newest"));
        QVERIFY2(lines.at(3).endsWith("buttons"), qPrintable(lines.at(3)));
        QVERIFY2(lines.at(4).contains("DPI levels"), qPrintable(lines.at(4)));
        QVERIFY(lines.at(4).startsWith("  3  "));
    }

    void aFolderThatCannotBeWrittenStopsTheWrite()
    {
        QVERIFY(writeAll(path("state"), "a file where the folder would be"));
        const QByteArray memory = readAll(path("mouse.mem"));
        for (const QStringList &command : {QStringList{"set", "report-rate", "1000"},
                                           QStringList{"reset"}, QStringList{"restore", "x"}}) {
            if (command.first() == "restore")
                QVERIFY(writeAll(path("x"), before()));
            const CliRun refused = run(command);
            QCOMPARE(refused.exitCode, 1);
            QCOMPARE(refused.errLines().size(), 1);
            QVERIFY2(refused.err.contains("--no-backup"), refused.err.constData());
            QCOMPARE(readAll(path("mouse.mem")), memory);
        }
        const CliRun forced =
            runCli(QStringList{"--no-backup"} + onSimulatedMouse({"set", "report-rate", "1000"}),
                   m_dir->path());
        QCOMPARE(forced.exitCode, 0);
        QVERIFY(readAll(path("mouse.mem")) != memory);
    }

    void aLostWriteIsUndoneByRestoreByteForByte()
    {
        const QByteArray memory = readAll(path("mouse.mem"));
        // The read-all ends near report 4940; this is deep in the macro blocks.
        const CliRun lost = run({"--sim-unplug-after", "6000", "set", "report-rate", "1000"});
        QCOMPARE(lost.exitCode, 1);
        QVERIFY2(lost.err.contains("gaming-mousectl restore"), lost.err.constData());
        QVERIFY(lost.err.contains(QDir(folder()).filePath(backups().value(0)).toUtf8()));
        QVERIFY(readAll(path("mouse.mem")) != memory);

        const CliRun restored = run({"restore"});
        QCOMPARE(restored.exitCode, 0);
        QCOMPARE(restored.outLines().size(), 1);
        QVERIFY(restored.outLines().first().startsWith("restored " + folder()));
        QCOMPARE(readAll(path("mouse.mem")), memory);
        // The half-written configuration was itself saved first.
        QCOMPARE(backups().size(), 2);
    }

    void restoreChoosesChecksAndDryRuns()
    {
        QCOMPARE(run({"set", "report-rate", "1000"}).exitCode, 0);
        const QByteArray memory = readAll(path("mouse.mem"));
        const CliRun dry = run({"restore", "1", "--dry-run"});
        QCOMPARE(dry.exitCode, 0);
        QCOMPARE(dry.outLines(), QStringList{"reportRate: 1000 -> 500"});
        QCOMPARE(readAll(path("mouse.mem")), memory);
        QCOMPARE(backups().size(), 1);

        QCOMPARE(run({"restore", "2"}).exitCode, 1);
        QVERIFY(writeAll(path("short.bin"), QByteArray(256, '\0')));
        const CliRun shortFile = run({"restore", "short.bin"});
        QCOMPARE(shortFile.exitCode, 1);
        QVERIFY(shortFile.err.contains("256 bytes"));
        QByteArray layout42 = defaultProfileImage();
        layout42[1] = char(29);
        QVERIFY(writeAll(path("42.bin"), layout42));
        const CliRun foreign = run({"restore", "42.bin"});
        QCOMPARE(foreign.exitCode, 1);
        QVERIFY(foreign.err.contains("layout-42"));
        QCOMPARE(readAll(path("mouse.mem")), memory);
        QCOMPARE(backups().size(), 1);
    }

private:
    QByteArray before() const { return defaultProfileImage(); }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "test_backups.moc"
