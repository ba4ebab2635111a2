#include "cli_test_support.h"

#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>

// What gaming-mousectl does when the mouse loses reports, when another
// program holds it, and with file arguments that are not plain files.
class TestDataSafety : public QObject, protected CliTestFolder
{
    Q_OBJECT

private:
    QStringList simulated(const QStringList &args) const { return onSimulatedMouse(args); }
    CliRun run(const QStringList &args, const std::optional<QByteArray> &input = std::nullopt)
    {
        return runCli(simulated(args), workFolder(), input);
    }
    // A macro file: a name entry and a block of one repeated byte.
    QByteArray macroFile(char fill) const
    {
        return QByteArray(32, char(0xFF)) + QByteArray(1024, fill);
    }
    QByteArray macroBlockOnMouse(int slot) const
    {
        return readAll(path("mouse.mem")).mid(kSimMacroAddress + 0x400 * slot, 1024);
    }
private slots:
    void init()
    {
        QVERIFY(renew());
        QCOMPARE(run({"status"}).exitCode, 0); // mouse.mem now exists
        QVERIFY(writeAll(path("out.bin"), "precious"));
        QVERIFY(writeAll(path("macro.bin"), macroFile(0x42)));
    }

    // A lost report anywhere in the read-all, or replies that turn to
    // garbage: nothing is saved, shown or written, and the mouse's memory
    // stays as it was.
    void lostReportsFailTheCommand_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<QStringList>("command");
        // The search and identification take 14 reports, then the read-all,
        // which reads the parameter block again at its end.
        const QList<QPair<const char *, QStringList>> faults = {
            {"parameter block", {"--sim-fail-report", "34"}},
            {"macro block", {"--sim-fail-report", "514"}},
            {"name table", {"--sim-fail-report", "4814"}},
            {"ParameterB", {"--sim-fail-report", "4938"}},
            {"UserBreath", {"--sim-fail-report", "4940"}},
            {"parameter block read again", {"--sim-fail-report", "4960"}},
            {"garbled from the 16th", {"--sim-garble-from", "16"}},
            {"garbled second block read", {"--sim-garble-from", "4960"}},
            {"unplugged", {"--sim-unplug-after", "66"}},
        };
        const QList<QStringList> commands = {{"read", "-o", "out.bin"},
                                             {"show"},
                                             {"status"},
                                             {"macro", "export-all", "out.bin"},
                                             {"macro", "import", "3", "macro.bin"},
                                             {"macro", "import-all", "macro.bin"},
                                             {"set", "dpi", "800,1600"},
                                             {"reset"},
                                             {"write", "macro.bin"}};
        for (const auto &fault : faults)
            for (const QStringList &command : commands)
                QTest::addRow("%s, %s", fault.first, qPrintable(command.join(' ')))
                    << fault.second << command;
    }
    void lostReportsFailTheCommand()
    {
        QFETCH(QStringList, fault);
        QFETCH(QStringList, command);
        const QByteArray memory = readAll(path("mouse.mem"));
        const CliRun result = run(fault + command);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.errLines().size(), 1);
        QVERIFY(!result.out.contains("connected"));
        QCOMPARE(readAll(path("out.bin")), QByteArray("precious"));
        QCOMPARE(readAll(path("mouse.mem")), memory);
    }

    void foreignIdentityKeepsTheMouseReachable_data()
    {
        QTest::addColumn<QByteArray>("profile");
        QByteArray foreign = defaultProfileImage();
        for (int i = 1; i <= 5; ++i)
            foreign[i] = char(0x40 + i);
        foreign[87] = 0x12;
        fixChecksum(foreign, 0, 26);
        QTest::newRow("foreign ids") << foreign;
        QTest::newRow("all zero") << QByteArray(34048, '\0');
        QTest::newRow("text") << QByteArray("root:x:0:0:root:/root:/bin/bash\n").repeated(40);
    }
    void foreignIdentityKeepsTheMouseReachable()
    {
        QFETCH(QByteArray, profile);
        QVERIFY(writeAll(path("foreign.bin"), profile));
        QCOMPARE(run({"write", "foreign.bin"}).exitCode, 0);
        QCOMPARE(run({"status"}).exitCode, 0);
        QCOMPARE(run({"read", "-o", "back.bin"}).exitCode, 0);
        const QByteArray back = readAll(path("back.bin"));
        QCOMPARE(back.mid(1, 5) + back.mid(87, 2),
                 defaultProfileImage().mid(1, 5) + defaultProfileImage().mid(87, 2));
    }

    void anotherProgramHoldsTheMouse()
    {
        QLockFile held(path("mouse.mem.lock"));
        QVERIFY(held.tryLock(0));
        const QByteArray memory = readAll(path("mouse.mem"));
        for (const QStringList &args :
             {QStringList{"macro", "import", "3", "macro.bin"}, QStringList{"status"}}) {
            const CliRun result = run(args);
            QVERIFY(result.exitCode == 1 && result.err.contains("another program is using"));
        }
        QCOMPARE(readAll(path("mouse.mem")), memory);
        held.unlock();
        QCOMPARE(run({"macro", "import", "3", "macro.bin"}).exitCode, 0);
        QCOMPARE(macroBlockOnMouse(3), QByteArray(1024, 0x42));
    }

    // Two imports at the same time: both land, or one says it could not.
    void concurrentImports()
    {
        QVERIFY(writeAll(path("other.bin"), macroFile(0x24)));
        // Round 0: the first is slow enough that the second gives up; round 1:
        // both are quick and may well take turns.
        for (int round = 0; round < 2; ++round) {
            QProcess first;
            QProcess second;
            for (QProcess *process : {&first, &second}) {
                process->setWorkingDirectory(workFolder());
                process->setProgram(QStringLiteral(GM_CLI_PATH));
            }
            first.setArguments(simulated({"--sim-latency", round == 0 ? "1" : "0", "macro",
                                          "import", "5", round % 2 ? "macro.bin" : "other.bin"}));
            second.setArguments(
                simulated({"macro", "import", "9", round % 2 ? "other.bin" : "macro.bin"}));
            first.start();
            if (round == 0)
                QTest::qWait(300); // the first holds the mouse for several seconds
            second.start();
            QVERIFY(first.waitForFinished(60000) && second.waitForFinished(60000));
            QCOMPARE(first.exitCode(), 0);
            QCOMPARE(macroBlockOnMouse(5), QByteArray(1024, round % 2 ? 0x42 : 0x24));
            if (second.exitCode() == 0)
                QCOMPARE(macroBlockOnMouse(9), QByteArray(1024, round % 2 ? 0x24 : 0x42));
            else
                QVERIFY(second.readAllStandardError().contains("another program"));
            if (round == 0)
                QCOMPARE(second.exitCode(), 1);
        }
    }

    void filesThatAreNotRegularAreRefused()
    {
        QVERIFY(::mkfifo(qPrintable(path("fifo")), 0600) == 0);
        QVERIFY(QDir(workFolder()).mkdir("folder"));
        const QList<QStringList> refused = {{"read", "-o", "fifo"},
                                            {"read", "-o", "folder"},
                                            {"read", "-o", "/dev/null"},
                                            {"macro", "export-all", "fifo"},
                                            {"write", "fifo"},
                                            {"show", "fifo"},
                                            {"macro", "import", "1", "fifo"},
                                            {"apply", "fifo"},
                                            {"apply", "/dev/null"},
                                            {"apply", "/dev/zero"},
                                            {"--trace", "fifo", "status"},
                                            {"macro", "--profile", "fifo", "export-all", "x"}};
        const QByteArray memory = readAll(path("mouse.mem"));
        for (const QStringList &args : refused) {
            const CliRun result = run(args);
            QVERIFY2(result.finished && result.exitCode == 1, qPrintable(args.join(' ')));
            QVERIFY2(result.errLines().size() == 1 && result.err.contains("not a regular file"),
                     result.err.constData());
        }
        QVERIFY(QFileInfo(path("fifo")).exists() && !QFileInfo(path("fifo")).isFile());
        QCOMPARE(readAll(path("mouse.mem")), memory);
    }

    void dashIsTheStandardStreams()
    {
        const CliRun read = run({"read", "-o", "-"});
        QCOMPARE(read.exitCode, 0);
        QCOMPARE(read.out.size(), 34048);
        QCOMPARE(run({"read", "-o", "saved.bin"}).exitCode, 0);
        QCOMPARE(read.out, readAll(path("saved.bin")));

        const CliRun shown = runCli({"show", "-"}, workFolder(), read.out);
        QCOMPARE(shown.exitCode, 0);
        QCOMPARE(shown.out, runCli({"show", "saved.bin"}, workFolder()).out);

        QCOMPARE(run({"macro", "import", "7", "-"}, macroFile(0x33)).exitCode, 0);
        QCOMPARE(macroBlockOnMouse(7), QByteArray(1024, 0x33));
        const CliRun exported = run({"macro", "export", "7", "-"});
        QCOMPARE(exported.exitCode, 0);
        QCOMPARE(exported.out.mid(32), QByteArray(1024, 0x33));
        QCOMPARE(run({"macro", "export-all", "-"}).out.size(), 33792);

        QCOMPARE(run({"write", "-"}, read.out).exitCode, 0);
        QCOMPARE(macroBlockOnMouse(7), QByteArray(1024, char(0xFF)));
    }

    void emptyValuesAreUsageErrors()
    {
        const QList<QStringList> commands = {{"--simulate", "b58", "--sim-state", "", "status"},
                                             {"--trace", "", "status"},
                                             {"write", ""},
                                             {"show", ""},
                                             {"read", "-o", ""},
                                             {"macro", "import", "2", ""},
                                             {"apply", ""},
                                             {"macro", "--profile", "", "export-all", "x.bin"}};
        for (const QStringList &args : commands) {
            const CliRun result = runCli(args, workFolder());
            QVERIFY2(result.exitCode == 2 && result.errLines().size() == 1 &&
                         result.err.contains("not an empty one"),
                     qPrintable(args.join(' ')));
        }
    }
};

QTEST_GUILESS_MAIN(TestDataSafety)
#include "test_data_safety.moc"
