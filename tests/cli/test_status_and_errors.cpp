#include "cli_test_support.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

// status for every simulated kind, and the failures every command must turn
// into a non-zero exit with one line on standard error.
class TestStatusAndErrors : public QObject, protected CliTestFolder
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(renew());
        QVERIFY(writeAll(path("defaults.bin"), defaultProfileImage()));
    }

    void status_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("a58") << "a58"
                             << "connected family A layout 58 vendor 0x1209 product 0x0001" << 0;
        QTest::newRow("b58") << "b58"
                             << "connected family B layout 58 vendor 0x1209 product 0x0001" << 0;
        // The shipped default image has layout 58.
        QTest::newRow("a42") << "a42"
                             << "type error" << 1;
        QTest::newRow("b42") << "b42"
                             << "type error" << 1;
    }
    void status()
    {
        QFETCH(QString, kind);
        QFETCH(QString, line);
        QFETCH(int, exitCode);
        const CliRun run = runCli({"--simulate", kind, "status"}, workFolder());
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.outLines(), QStringList{line});
        QCOMPARE(run.errLines().size(), exitCode == 0 ? 0 : 1);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("no device, status") << QStringList{"status"} << "no device";
        QTest::newRow("no device, read") << QStringList{"read", "-o", "x.bin"} << "no device";
        QTest::newRow("no device, show") << QStringList{"show"} << "no device";
        QTest::newRow("bad kind") << QStringList{"--simulate", "c58", "status"} << "c58";
        QTest::newRow("missing file")
            << QStringList{"--simulate", "b58", "write", "missing.bin"} << "missing.bin";
        QTest::newRow("missing file, show") << QStringList{"show", "missing.bin"} << "missing.bin";
        QTest::newRow("unwritable output")
            << QStringList{"--simulate", "b58", "read", "-o", "no/such/folder/x.bin"} << "x.bin";
        QTest::newRow("output is a folder")
            << QStringList{"--simulate", "b58", "read", "-o", "."} << "\".\"";
        QTest::newRow("type error, read")
            << QStringList{"--simulate", "a42", "read", "-o", "x.bin"} << "type error";
        QTest::newRow("system settings, missing file")
            << QStringList{"--simulate", "b58", "write", "--system-settings", "absent.bin"}
            << "absent.bin";
        QTest::newRow("read without -o") << QStringList{"--simulate", "b58", "read"} << "-o";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << "frobnicate";
        QTest::newRow("no command") << QStringList{} << "command";
        QTest::newRow("bad language")
            << QStringList{"show", "--lang", "4", "defaults.bin"} << "--lang";
        QTest::newRow("family without layout")
            << QStringList{"show", "--family", "b", "defaults.bin"} << "--layout";
        QTest::newRow("bad macro number")
            << QStringList{"--simulate", "b58", "macro", "export", "32", "m.bin"} << "32";
        QTest::newRow("family A has no macros")
            << QStringList{"--simulate", "a58", "macro", "export-all", "m.bin"} << "macro";
        QTest::newRow("sim-state without simulate")
            << QStringList{"--sim-state", "mem", "status"} << "--simulate";
        QTest::newRow("sim-state of the wrong size")
            << QStringList{"--simulate", "b58", "--sim-state", "defaults.bin", "status"}
            << "defaults.bin";
        QTest::newRow("unknown option") << QStringList{"show", "--colour"} << "colour";
    }
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, mentions);
        const CliRun run = runCli(args, workFolder());
        QVERIFY(run.finished);
        QVERIFY2(run.exitCode > 0, run.out.constData());
        const QStringList lines = run.errLines();
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith(QLatin1String("gaming-mousectl: ")),
                 qPrintable(lines.first()));
        QVERIFY2(lines.first().contains(mentions), qPrintable(lines.first()));
        QVERIFY(!QFileInfo::exists(path("x.bin")));
        QVERIFY(!QFileInfo::exists(path("m.bin")));
    }

    // Output that cannot be written (a full disk, here /dev/full) fails the
    // command with one line, whatever else it did.
    void unwritableOutputFails_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("show") << QStringList{"--simulate", "b58", "show"};
        QTest::newRow("show --json") << QStringList{"--simulate", "b58", "show", "--json"};
        QTest::newRow("show a file") << QStringList{"show", "defaults.bin"};
        QTest::newRow("status") << QStringList{"--simulate", "b58", "status"};
        QTest::newRow("dry run") << QStringList{"--simulate", "b58",      "set",
                                                "dpi",        "800,1600", "--dry-run"};
        QTest::newRow("reset dry run") << QStringList{"--simulate", "b58", "reset", "--dry-run"};
        QTest::newRow("help") << QStringList{"--help"};
    }
    void unwritableOutputFails()
    {
        QFETCH(QStringList, args);
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("this system has no /dev/full");
        QProcess process;
        process.setWorkingDirectory(workFolder());
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(GM_CLI_PATH), args);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(process.readAllStandardError(),
                 QByteArray("gaming-mousectl: cannot write to standard output\n"));
    }

    // A failed command leaves an existing output file and the simulated
    // memory as they were.
    void failureLeavesFilesAlone()
    {
        QVERIFY(writeAll(path("keep.bin"), "precious"));
        const CliRun run = runCli({"--simulate", "a42", "read", "-o", "keep.bin"}, workFolder());
        QVERIFY(run.exitCode != 0);
        QCOMPARE(readAll(path("keep.bin")), QByteArray("precious"));

        QVERIFY(writeAll(path("wrong.mem"), QByteArray(100, 'x')));
        QVERIFY(runCli({"--simulate", "b58", "--sim-state", "wrong.mem", "status"}, workFolder())
                    .exitCode != 0);
        QCOMPARE(readAll(path("wrong.mem")), QByteArray(100, 'x'));
    }

    void helpForEveryCommand_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *command : {"status", "read", "write", "reset", "show", "macro"})
            QTest::newRow(command) << command;
    }
    void helpForEveryCommand()
    {
        QFETCH(QString, command);
        const CliRun run = runCli({command, "--help"}, workFolder());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("Usage:"));
        QVERIFY(run.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStatusAndErrors)
#include "test_status_and_errors.moc"
