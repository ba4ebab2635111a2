#include "cli_test_support.h"

#include <QJsonArray>
#include <QTest>

// read, write and reset on the simulated mouse, checked on its memory and on
// the reports exchanged.
class TestTransfers : public QObject, protected CliTestFolder
{
    Q_OBJECT

private:
    CliRun run(const QString &kind, const QStringList &args) const { return onMouse(args, kind); }
    // A default profile file with another report rate (1 = 1000 Hz).
    QString fileWithReportRate(int code)
    {
        QByteArray image = defaultProfileImage();
        image[kReportRateOffset] = char(code);
        fixChecksum(image, kParameterBOffset, 4);
        const QString file = path(QStringLiteral("rate.bin"));
        writeAll(file, image);
        return file;
    }
    QList<QByteArray> commandReports(const QString &traceFile)
    {
        QList<QByteArray> commands;
        for (const QString &line : QString::fromLatin1(readAll(traceFile)).split('\n')) {
            const QByteArray bytes = traceBytes(line);
            if (line.startsWith(QLatin1String("set")) && bytes.size() == 8 && bytes[0] == 0x40)
                commands.append(bytes);
        }
        return commands;
    }

private slots:
    void init()
    {
        QVERIFY(renew());
    }

    void readThenWriteLeavesMemoryIdentical_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("family A") << "a58";
        QTest::newRow("family B") << "b58";
    }
    void readThenWriteLeavesMemoryIdentical()
    {
        QFETCH(QString, kind);
        const CliRun read = run(kind, {"read", "-o", "saved.bin"});
        QCOMPARE(read.exitCode, 0);
        QVERIFY(read.err.isEmpty());
        const QByteArray saved = readAll(path("saved.bin"));
        QCOMPARE(saved.size(), 34048);
        const QByteArray defaults = defaultProfileImage();
        // A fresh simulated mouse holds the default image; family A keeps no macros.
        QCOMPARE(saved.left(255), defaults.left(255));
        if (kind.startsWith('a'))
            QCOMPARE(saved.mid(256), QByteArray(34048 - 256, char(0xFF)));
        else
            QCOMPARE(saved, defaults);

        const QByteArray before = readAll(path("mouse.mem"));
        QCOMPARE(before.size(), 65536);
        const CliRun write = run(kind, {"write", "saved.bin"});
        QCOMPARE(write.exitCode, 0);
        QCOMPARE(readAll(path("mouse.mem")), before);
    }

    void writeTraceShowsEraseOnlyForFamilyB_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("erases");
        QTest::newRow("family A") << "a58" << 0;
        QTest::newRow("family B") << "b58" << 10;
    }
    void writeTraceShowsEraseOnlyForFamilyB()
    {
        QFETCH(QString, kind);
        QFETCH(int, erases);
        writeAll(path("defaults.bin"), defaultProfileImage());
        const CliRun write = runCli(
            {"--simulate", kind, "--trace", "write.trace", "write", "defaults.bin"}, workFolder());
        QCOMPARE(write.exitCode, 0);

        const QStringList lines = QString::fromLatin1(readAll(path("write.trace"))).split('\n');
        QVERIFY(lines.size() > 40);
        QCOMPARE(lines.constLast(), QString()); // a complete last line
        for (int i = 0; i + 1 < lines.size(); ++i)
            QVERIFY2(traceBytes(lines[i]).size() == 8, qPrintable(lines[i]));

        const QList<QByteArray> commands = commandReports(path("write.trace"));
        int eraseCommands = 0;
        for (const QByteArray &command : commands)
            eraseCommands += command[1] == 0x11;
        QCOMPARE(eraseCommands, erases);
        QCOMPARE(quint8(commands.constLast()[1]), quint8(0x19));
        QCOMPARE(lines[lines.size() - 2].left(11), QStringLiteral("set 0 40 19"));
    }

    void familyAReportRateChangeEndsWithRateReload()
    {
        const QString file = fileWithReportRate(1);
        QCOMPARE(run("a58", {"--trace", "first.trace", "write", file}).exitCode, 0);
        QList<QByteArray> commands = commandReports(path("first.trace"));
        QVERIFY(commands.size() >= 2);
        QCOMPARE(quint8(commands[commands.size() - 2][1]), quint8(0x03));
        QCOMPARE(quint8(commands.constLast()[1]), quint8(0x18));

        // The mouse runs at 1000 Hz now: the same file again needs the plain reload.
        QCOMPARE(run("a58", {"--trace", "second.trace", "write", file}).exitCode, 0);
        commands = commandReports(path("second.trace"));
        QCOMPARE(quint8(commands.constLast()[1]), quint8(0x19));
        QCOMPARE(showJson(onSimulatedMouse({"show", "--json"}, "a58"), workFolder())["reportRate"]
                     .toInt(),
                 1000);
    }

    void familyBKeepsItsParameterBArea()
    {
        QCOMPARE(run("b58", {"status"}).exitCode, 0);
        const QByteArray before = readAll(path("mouse.mem"));
        const QString file = fileWithReportRate(1);
        QCOMPARE(run("b58", {"--trace", "write.trace", "write", file}).exitCode, 0);

        const QByteArray after = readAll(path("mouse.mem"));
        QCOMPARE(after.mid(kSimParameterBAddress, 5), before.mid(kSimParameterBAddress, 5));
        // The parameter block carries the mouse's ParameterB too, not the file's.
        QCOMPARE(after.mid(kSimParameterAddress + kParameterBOffset, 5),
                 before.mid(kSimParameterBAddress, 5));
        for (const QByteArray &command : commandReports(path("write.trace")))
            QVERIFY(command[1] != 0x03);
        QCOMPARE(
            showJson(onSimulatedMouse({"show", "--json"}), workFolder())["reportRate"].toInt(),
            500);
    }

    void resetBringsBackTheDefaults_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("family A") << "a58";
        QTest::newRow("family B") << "b58";
    }
    void resetBringsBackTheDefaults()
    {
        QFETCH(QString, kind);
        // Only 1000 and 6400 selected (table entries 4 and 11), the first current.
        QByteArray image = defaultProfileImage();
        image.replace(10, 4, QByteArray::fromHex("040BFFFF"));
        image[kParameterBOffset] = 0;
        fixChecksum(image, 0, 26);
        fixChecksum(image, kParameterBOffset, 4);
        writeAll(path("dpi.bin"), image);
        QCOMPARE(run(kind, {"write", "dpi.bin"}).exitCode, 0);

        const QStringList show = onSimulatedMouse({"show", "--json"}, kind);
        QJsonObject dpi = showJson(show, workFolder())["dpi"].toObject();
        QCOMPARE(dpi["levels"].toArray(), (QJsonArray{"1000", "6400"}));
        QCOMPARE(dpi["slots"].toArray(), (QJsonArray{4, 11, 255, 255}));

        // Dry runs of a write and a reset name the change and leave the mouse as it is.
        const QByteArray memory = readAll(path("mouse.mem"));
        writeAll(path("defaults.bin"), defaultProfileImage());
        for (const QStringList &dryRun : {QStringList{"reset", "--dry-run"},
                                          QStringList{"write", "defaults.bin", "--dry-run"}}) {
            const CliRun dry = run(kind, dryRun);
            QCOMPARE(dry.exitCode, 0);
            QVERIFY2(
                dry.outLines().contains(QStringLiteral("dpi.slots: [4,11,255,255] -> [3,5,9,10]")),
                dry.out.constData());
            QCOMPARE(readAll(path("mouse.mem")), memory);
        }

        QCOMPARE(run(kind, {"reset"}).exitCode, 0);
        dpi = showJson(show, workFolder())["dpi"].toObject();
        QCOMPARE(dpi["slots"].toArray(), (QJsonArray{3, 5, 9, 10}));
        // Reset writes the default parameter block unchanged.
        QCOMPARE(readAll(path("mouse.mem")).mid(kSimParameterAddress, 256),
                 defaultProfileImage().left(256));
    }
};

QTEST_GUILESS_MAIN(TestTransfers)
#include "test_transfers.moc"
