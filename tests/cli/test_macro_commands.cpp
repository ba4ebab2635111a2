#include "cli_test_support.h"

#include <QJsonArray>
#include <QTest>

// The four macro-file operations, on the simulated mouse and on a profile file.
class TestMacroCommands : public QObject, protected CliTestFolder
{
    Q_OBJECT

private:
    // A macro named "hello": press A, wait 50 ms, release A.
    static QByteArray helloMacro()
    {
        QByteArray entry = QByteArray::fromHex("0008000A");
        for (const QChar c : QStringLiteral("hello"))
            entry += char(0) + QByteArray(1, char(c.unicode()));
        entry = entry.leftJustified(32, char(0));
        const QByteArray block =
            QByteArray::fromHex("8204FE0032020400").leftJustified(1024, char(0xFF));
        return entry + block;
    }
    static QJsonArray helloLines() { return {"10", "1 A CODE:8204", "0 50", "2 A CODE:0204"}; }

private slots:
    void init()
    {
        QVERIFY(renew());
        QVERIFY(writeAll(path("defaults.bin"), defaultProfileImage()));
        QVERIFY(writeAll(path("hello.bin"), helloMacro()));
    }

    void exportsOfTheDefaults_data()
    {
        QTest::addColumn<QStringList>("target"); // empty: the mouse
        QTest::newRow("mouse") << QStringList{};
        QTest::newRow("profile file") << QStringList{"--profile", "defaults.bin"};
    }
    void exportsOfTheDefaults()
    {
        QFETCH(QStringList, target);
        const QByteArray defaults = defaultProfileImage();
        QCOMPARE(onMouse(QStringList{"macro", "export", "3", "one.bin"} + target).exitCode, 0);
        QByteArray expected = QByteArray::fromHex("0000000C");
        for (const QChar c : QStringLiteral("macro3"))
            expected += char(0) + QByteArray(1, char(c.unicode()));
        expected += QByteArray(16, char(0)) + QByteArray(1024, char(0xFF));
        QCOMPARE(readAll(path("one.bin")), expected);

        QCOMPARE(onMouse(QStringList{"macro", "export-all", "all.bin"} + target).exitCode, 0);
        QCOMPARE(readAll(path("all.bin")), defaults.mid(kNameTableOffset));
    }

    void importOneIntoTheMouse()
    {
        QCOMPARE(onMouse({"macro", "import", "7", "hello.bin"}).exitCode, 0);
        const QByteArray memory = readAll(path("mouse.mem"));
        QCOMPARE(memory.mid(kSimNameTableAddress + 7 * 32, 32), helloMacro().left(32));
        QCOMPARE(memory.mid(kSimMacroAddress + 7 * 1024, 1024), helloMacro().mid(32));

        const QJsonObject shown = showJson(onSimulatedMouse({"show", "--json"}), workFolder());
        const QJsonObject macro = shown["macros"].toArray().at(7).toObject();
        QCOMPARE(macro["name"].toString(), QStringLiteral("hello"));
        QCOMPARE(macro["length"].toInt(), 8);
        QCOMPARE(macro["lines"].toArray(), helloLines());
        QCOMPARE(shown["macros"].toArray().at(6)["name"].toString(), QStringLiteral("macro6"));
    }

    void importAllThenExportAllGivesTheSameFile()
    {
        QByteArray all = defaultProfileImage().mid(kNameTableOffset);
        const QByteArray hello = helloMacro();
        all.replace(31 * 32, 32, hello.left(32));
        all.replace(1024 + 31 * 1024, 1024, hello.mid(32));
        QVERIFY(writeAll(path("all-in.bin"), all));
        QCOMPARE(onMouse({"macro", "import-all", "all-in.bin"}).exitCode, 0);
        QCOMPARE(onMouse({"macro", "export-all", "all-out.bin"}).exitCode, 0);
        QCOMPARE(readAll(path("all-out.bin")), all);
    }

    // A dry run names what the import would change and changes nothing.
    void dryRunImportsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("target"); // empty: the mouse
        QTest::newRow("mouse") << QStringList{};
        QTest::newRow("profile file") << QStringList{"--profile", "defaults.bin"};
    }
    void dryRunImportsChangeNothing()
    {
        QFETCH(QStringList, target);
        QCOMPARE(onMouse({"status"}).exitCode, 0);
        const QByteArray memory = readAll(path("mouse.mem"));
        const CliRun dry =
            onMouse(QStringList{"macro", "import", "5", "hello.bin", "--dry-run"} + target);
        QCOMPARE(dry.exitCode, 0);
        QVERIFY(dry.outLines().contains(QStringLiteral("macros[5].name: \"macro5\" -> \"hello\"")));
        QVERIFY(dry.outLines().contains(QStringLiteral("macros[5].length: 0 -> 8")));
        QCOMPARE(readAll(path("mouse.mem")), memory);
        QCOMPARE(readAll(path("defaults.bin")), defaultProfileImage());
        QCOMPARE(onMouse({"macro", "export", "5", "x.bin", "--dry-run"}).exitCode, 2);
    }

    // In place: only the macro area of the profile file changes.
    void importIntoAProfileFile()
    {
        QCOMPARE(
            onMouse({"macro", "import", "0", "hello.bin", "--profile", "defaults.bin"}).exitCode,
            0);
        QByteArray expected = defaultProfileImage();
        expected.replace(kNameTableOffset, 32, helloMacro().left(32));
        expected.replace(kBlocksOffset, 1024, helloMacro().mid(32));
        QCOMPARE(readAll(path("defaults.bin")), expected);

        const QJsonObject shown = showJson({"show", "--json", "defaults.bin"}, workFolder());
        QCOMPARE(shown["macros"].toArray().at(0)["lines"].toArray(), helloLines());
        // Button 10 of the main profile is bound to macro 0 and shows its name.
        QCOMPARE(shown["buttons"]["main"].toArray().at(9)["text"].toString(),
                 QStringLiteral("hello"));
    }

    // A 32-byte file changes the name and length but keeps the old block.
    void shortImportKeepsTheOldBlock()
    {
        QCOMPARE(onMouse({"macro", "import", "2", "hello.bin"}).exitCode, 0);
        QByteArray entry = helloMacro().left(32);
        entry[1] = 3; // a shorter stream over the same block
        QVERIFY(writeAll(path("entry.bin"), entry));
        QCOMPARE(onMouse({"macro", "import", "2", "entry.bin"}).exitCode, 0);
        const QByteArray memory = readAll(path("mouse.mem"));
        QCOMPARE(memory.mid(kSimNameTableAddress + 2 * 32, 32), entry);
        QCOMPARE(memory.mid(kSimMacroAddress + 2 * 1024, 1024), helloMacro().mid(32));
    }

    void failedImportChangesNothing()
    {
        const QByteArray before = defaultProfileImage();
        const CliRun run =
            onMouse({"macro", "import-all", "missing.bin", "--profile", "defaults.bin"});
        QVERIFY(run.exitCode != 0);
        QCOMPARE(run.errLines().size(), 1);
        QVERIFY(run.errLines().first().contains("missing.bin"));
        QCOMPARE(readAll(path("defaults.bin")), before);
    }
};

QTEST_GUILESS_MAIN(TestMacroCommands)
#include "test_macro_commands.moc"
