#include "cli_test_support.h"

#include <QDir>
#include <QTest>

// set and macro rename against the simulated mouse's memory and on profile
// files: each command changes exactly its bytes, bad values change nothing.
class TestSettingCommands : public QObject, protected CliTestFolder
{
    Q_OBJECT


    // The memory as it should be after a write that changed `bytes` of the
    // parameter block (family B: ParameterB also in its own area).
    static QByteArray withParameters(QByteArray memory, const QList<QPair<int, int>> &bytes)
    {
        for (const auto &[offset, value] : bytes) {
            memory[kSimParameterAddress + offset] = char(value);
            if (offset >= kParameterBOffset && offset < kParameterBOffset + 4)
                memory[kSimParameterBAddress + offset - kParameterBOffset] = char(value);
        }
        fixChecksum(memory, kSimParameterAddress, 26);
        fixChecksum(memory, kSimParameterAddress + kParameterBOffset, 4);
        fixChecksum(memory, kSimParameterBAddress, 4);
        fixChecksum(memory, kSimParameterAddress + kFireKeyOffset, 16);
        fixChecksum(memory, kSimParameterAddress + 110, 144);
        return memory;
    }

private slots:
    void init()
    {
        QVERIFY(renew());
        QCOMPARE(onMouse({"status"}).exitCode, 0); // the memory file with the defaults
    }

    void dpiLevelsBecomeTheirSlots()
    {
        const QByteArray before = memory();
        const CliRun run = onMouse({"set", "dpi", "1000,6400"});
        QCOMPARE(run.exitCode, 0);
        // Slots 4, 11, empty, empty; 1000 stays the lowest and becomes current.
        QCOMPARE(memory(),
                 withParameters(before, {{10, 4}, {11, 11}, {12, 255}, {13, 255}, {27, 0}}));

        QCOMPARE(onMouse({"set", "dpi", "800,1600,3200", "--current", "1600"}).exitCode, 0);
        QCOMPARE(memory(), withParameters(before, {{10, 3}, {11, 6}, {12, 9}, {13, 255}, {27, 1}}));
    }

    void badValuesChangeNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown level") << QStringList{"set", "dpi", "900,1000"};
        QTest::newRow("one level") << QStringList{"set", "dpi", "800"};
        QTest::newRow("five levels") << QStringList{"set", "dpi", "800,1000,1200,1600,2400"};
        QTest::newRow("current not given")
            << QStringList{"set", "dpi", "800,1000", "--current", "1200"};
        QTest::newRow("third language caption") << QStringList{"set", "dpi", "600,800"};
        QTest::newRow("rate") << QStringList{"set", "report-rate", "250"};
        QTest::newRow("fire key 5") << QStringList{"set", "fire-key", "5", "--repeat", "2"};
        QTest::newRow("repeat 16") << QStringList{"set", "fire-key", "1", "--repeat", "16"};
        QTest::newRow("repeat 1") << QStringList{"set", "fire-key", "1", "--repeat", "1"};
        QTest::newRow("delay 2001") << QStringList{"set", "fire-key", "1", "--delay", "2001"};
        QTest::newRow("four modes") << QStringList{"set", "fire-modes", "1,2,3,4"};
        QTest::newRow("mode twice") << QStringList{"set", "fire-modes", "1,1"};
        QTest::newRow("step 11") << QStringList{"set", "light", "--off", "11"};
        QTest::newRow("colour") << QStringList{"set", "light", "--colour", "12345G"};
        QTest::newRow("button 13") << QStringList{"button", "main", "13", "left"};
        QTest::newRow("button 1 back") << QStringList{"button", "main", "1", "back"};
        QTest::newRow("unknown function") << QStringList{"button", "main", "5", "jump"};
        QTest::newRow("long name") << QStringList{"macro", "rename", "3", "fifteen letters"};
        QTest::newRow("unknown setting") << QStringList{"set", "colour", "1"};
    }
    void badValuesChangeNothing()
    {
        QFETCH(QStringList, args);
        const QByteArray before = memory();
        const CliRun run = onMouse(args);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.errLines().size(), 1);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(memory(), before);
    }

    void changedReportRateEndsWithItsReload()
    {
        const QByteArray before = memory();
        QCOMPARE(onMouse({"--trace", "write.trace", "set", "report-rate", "1000"}).exitCode, 0);
        QCOMPARE(memory(), withParameters(before, {{kReportRateOffset, 1}}));
        QList<QByteArray> commands;
        for (const QString &line : QString::fromLatin1(readAll(path("write.trace"))).split('\n')) {
            const QByteArray bytes = traceBytes(line);
            if (line.startsWith(QLatin1String("set")) && bytes.startsWith(char(0x40)))
                commands.append(bytes);
        }
        QVERIFY(commands.size() >= 2);
        QCOMPARE(quint8(commands.at(commands.size() - 2)[1]), quint8(0x03));
        QCOMPARE(quint8(commands.constLast()[1]), quint8(0x18));

        // The same rate again changes nothing, so nothing is written at all.
        QCOMPARE(onMouse({"--trace", "again.trace", "set", "report-rate", "1000"}).exitCode, 0);
        QVERIFY(!readAll(path("again.trace")).contains("set 0 40 18"));
    }

    void fireKeysAndModes()
    {
        const QByteArray before = memory();
        QCOMPARE(onMouse({"set", "fire-key", "2", "--repeat", "3", "--delay", "300"}).exitCode, 0);
        QCOMPARE(memory(), withParameters(before, {{kFireKeyOffset + 5, 0x13},
                                                   {kFireKeyOffset + 6, 0x01},
                                                   {kFireKeyOffset + 7, 0x2C}}));
        // Fire modes live in the Fire Mode buttons' codes.
        QCOMPARE(onMouse({"button", "main", "6", "fire-mode"}).exitCode, 0);
        QCOMPARE(onMouse({"set", "fire-modes", "3,1"}).exitCode, 0);
        QCOMPARE(memory().mid(kSimParameterAddress + 110 + 20, 4), QByteArray::fromHex("0F010300"));
    }

    void lightIsRefusedWhileBypassed()
    {
        const QByteArray before = memory();
        const CliRun run = onMouse({"set", "light", "--on", "3"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("bypassed"));
        QCOMPARE(memory(), before);
    }

    void lightOnAProfileFile()
    {
        QByteArray image = defaultProfileImage();
        image[9] = char(quint8(image[9]) & ~1); // the light page is used
        // Times the scales write (steps 7, 7, 1, 1): a time between two
        // steps would be stored as its step's value by any write.
        image.replace(18, 4, QByteArray::fromHex("96110000"));
        fixChecksum(image, 0, 26);
        QVERIFY(writeAll(path("light.bin"), image));
        const CliRun run =
            runCli({"set", "light", "--mode", "custom", "--on", "10", "--fall", "10",
                    "--colour-mode", "1", "--colour", "FF8000", "--profile", "light.bin"},
                   workFolder());
        QCOMPARE(run.exitCode, 0);
        QByteArray expected = image;
        expected[kParameterBOffset + 3] = 2;
        expected[9] = char(quint8(image[9]) | 0x10);
        expected[20] = char(225);
        expected[21] = 23;
        expected.replace(22, 3, QByteArray::fromHex("643200"));
        fixChecksum(expected, 0, 26);
        fixChecksum(expected, kParameterBOffset, 4);
        QCOMPARE(readAll(path("light.bin")), expected);

        // Colour 1 is chosen only in colour mode 1: refused, file untouched.
        const CliRun refused = runCli(
            {"set", "light", "--colour-mode", "2", "--colour", "00FF00", "--profile", "light.bin"},
            workFolder());
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(readAll(path("light.bin")), expected);
    }

    void profileEditsAreAllOrNothing()
    {
        QVERIFY(writeAll(path("p.bin"), defaultProfileImage()));
        const QByteArray before = readAll(path("p.bin"));
        QCOMPARE(
            runCli({"button", "switch", "5", "back", "--profile", "p.bin"}, workFolder()).exitCode,
            1);
        QCOMPARE(runCli({"set", "dpi", "1000", "--profile", "p.bin"}, workFolder()).exitCode, 2);
        const CliRun dry =
            runCli({"set", "dpi", "1000,6400", "--dry-run", "--profile", "p.bin"}, workFolder());
        QCOMPARE(dry.exitCode, 0);
        QVERIFY(dry.outLines().contains(QStringLiteral(
            "dpi.levels: [\"800\",\"1200\",\"3200\",\"4800\"] -> [\"1000\",\"6400\"]")));
        QCOMPARE(readAll(path("p.bin")), before);
        QCOMPARE(QDir(workFolder()).entryList(QDir::Files).size(), 2); // mouse.mem, p.bin

        QCOMPARE(runCli({"set", "dpi", "1000,6400", "--profile", "p.bin"}, workFolder()).exitCode,
                 0);
        QByteArray expected = before;
        expected.replace(10, 4, QByteArray::fromHex("040BFFFF"));
        expected[kParameterBOffset] = 0;
        fixChecksum(expected, 0, 26);
        fixChecksum(expected, kParameterBOffset, 4);
        QCOMPARE(readAll(path("p.bin")), expected);
    }

    void renamedMacroReachesTheNameTable()
    {
        QCOMPARE(onMouse({"macro", "rename", "3", "jump"}).exitCode, 0);
        QByteArray entry =
            QByteArray::fromHex("00000008") + QByteArray::fromHex("006A0075006D0070");
        QCOMPARE(memory().mid(kSimNameTableAddress + 3 * 32, 12), entry);
        const CliRun familyA = onMouse({"macro", "rename", "3", "jump"}, QStringLiteral("a58"));
        QCOMPARE(familyA.exitCode, 1);
    }
};

QTEST_GUILESS_MAIN(TestSettingCommands)
#include "test_setting_commands.moc"
