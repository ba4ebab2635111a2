#include "cli_test_support.h"

#include <QDir>
#include <QTest>

// gaming-mousectl's backups against the simulated mouse: one before every
// write, the listing, --no-backup, and restore.
class TestBackups : public QObject, protected CliTestFolder
{
    Q_OBJECT

    QString folder() const { return path("state/gaming-mouse/backups"); }
    CliRun run(const QStringList &args) const { return onMouse(args); }
    QStringList backups() const
    {
        return QDir(folder()).entryList({"*.bin"}, QDir::Files, QDir::Name | QDir::Reversed);
    }
    QString newestBackup() const { return QDir(folder()).filePath(backups().value(0)); }

private slots:
    void init()
    {
        QVERIFY(renew());
        qputenv("XDG_STATE_HOME", path("state").toLocal8Bit());
        QCOMPARE(run({"status"}).exitCode, 0); // mouse.mem now exists
    }

    void eachWriteBacksUpWhatItReplacesAndTheListSaysWhatChanged()
    {
        QCOMPARE(run({"set", "dpi", "800,1600"}).exitCode, 0);
        // Nothing to change: nothing written, nothing saved.
        QCOMPARE(run({"set", "dpi", "800,1600"}).exitCode, 0);
        QCOMPARE(backups().size(), 1);
        QCOMPARE(readAll(newestBackup()), defaultProfileImage()); // what the mouse held
        QCOMPARE(run({"set", "report-rate", "1000"}).exitCode, 0);

        const QStringList lines = runCli({"backups"}, workFolder()).outLines();
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines.at(0).contains(folder()));
        QVERIFY2(lines.at(2).contains("1209:0001  34048  newest"), qPrintable(lines.at(2)));
        QVERIFY2(lines.at(3).endsWith("DPI levels, current DPI"), qPrintable(lines.at(3)));
    }

    void aFolderThatCannotBeWrittenStopsTheWrite()
    {
        QVERIFY(writeAll(path("state"), "a file where the folder would be"));
        QVERIFY(writeAll(path("x"), defaultProfileImage()));
        const QByteArray before = memory();
        for (const QStringList &command : {QStringList{"set", "report-rate", "1000"},
                                           QStringList{"reset"}, QStringList{"restore", "x"}}) {
            const CliRun refused = run(command);
            QCOMPARE(refused.exitCode, 1);
            QCOMPARE(refused.errLines().size(), 1);
            QVERIFY2(refused.err.contains("--no-backup"), refused.err.constData());
            QCOMPARE(memory(), before);
        }
        const QStringList forced = onSimulatedMouse({"set", "report-rate", "1000"});
        QCOMPARE(runCli(QStringList{"--no-backup"} + forced, workFolder()).exitCode, 0);
        QVERIFY(memory() != before);
    }

    void aLostWriteIsUndoneByRestoreByteForByte()
    {
        const QByteArray before = memory();
        // The read-all ends near report 4940; this is deep in the macro blocks.
        const CliRun lost = run({"--sim-unplug-after", "6000", "set", "report-rate", "1000"});
        QCOMPARE(lost.exitCode, 1);
        QVERIFY2(lost.err.contains("gaming-mousectl restore"), lost.err.constData());
        QVERIFY(lost.err.contains(newestBackup().toUtf8()));
        const QByteArray halfWritten = memory();
        QVERIFY(halfWritten != before);

        // What restore cannot write, and its dry run, leave the mouse alone.
        QVERIFY(writeAll(path("short.bin"), QByteArray(256, '\0')));
        QByteArray layout42 = defaultProfileImage();
        layout42[1] = char(29);
        QVERIFY(writeAll(path("42.bin"), layout42));
        for (const auto &[source, error] :
             {std::pair{"2", "no backup 2"}, {"short.bin", "256 bytes"}, {"42.bin", "layout-42"}}) {
            const CliRun refused = run({"restore", source});
            QCOMPARE(refused.exitCode, 1);
            QVERIFY2(refused.err.contains(error), refused.err.constData());
        }
        const CliRun dry = run({"restore", "1", "--dry-run"});
        QCOMPARE(dry.outLines(),
                 QStringList{"no setting would change, but the stored bytes would"});
        QCOMPARE(memory(), halfWritten);
        QCOMPARE(backups().size(), 1);

        const CliRun restored = run({"restore"});
        QCOMPARE(restored.exitCode, 0);
        QVERIFY(restored.out.startsWith("restored " + folder().toUtf8()));
        QCOMPARE(memory(), before);
        // The half-written configuration was itself saved first.
        QCOMPARE(backups().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "test_backups.moc"
