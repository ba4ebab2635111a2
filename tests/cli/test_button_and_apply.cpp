#include "cli_test_support.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

// button and apply against the simulated mouse's memory.
class TestButtonAndApply : public QObject, protected CliTestFolder
{
    Q_OBJECT

    // Profile p, button b's code in the simulated memory.
    QByteArray code(int profile, int button) const
    {
        return memory().mid(kSimParameterAddress + 110 + 48 * (profile - 1) + 4 * (button - 1), 4);
    }
    QJsonObject shown(const QString &kind = QStringLiteral("b58"))
    {
        return showJson(onSimulatedMouse({"show", "--json"}, kind), workFolder());
    }
    bool writeJson(const QString &name, const QJsonObject &object)
    {
        return writeAll(path(name), QJsonDocument(object).toJson());
    }

private slots:
    void init()
    {
        QVERIFY(renew());
        QCOMPARE(onMouse({"status"}).exitCode, 0);
    }

    void rightOnButtonOneExchangesWithButtonTwo()
    {
        QByteArray expected = memory();
        QCOMPARE(onMouse({"button", "main", "1", "right"}).exitCode, 0);
        expected.replace(kSimParameterAddress + 110, 8, QByteArray::fromHex("0102000001010000"));
        fixChecksum(expected, kSimParameterAddress + 110, 144);
        QCOMPARE(memory(), expected);
        const QJsonArray main = shown()["buttons"].toObject()["main"].toArray();
        QCOMPARE(main.at(0)["function"].toString(), QStringLiteral("right"));
        QCOMPARE(main.at(1)["function"].toString(), QStringLiteral("left"));
    }

    void switchNeedsAKbSwitchKeyOnMain()
    {
        const QByteArray before = memory();
        const CliRun refused = onMouse({"button", "switch", "5", "back"});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(refused.err.contains("keyboard mode switch button"));
        QCOMPARE(memory(), before);
        QCOMPARE(onMouse({"button", "fixed", "5", "back"}).exitCode, 1);
        QCOMPARE(memory(), before);

        QCOMPARE(onMouse({"button", "main", "4", "kb-switch"}).exitCode, 0);
        QCOMPARE(onMouse({"button", "switch", "5", "back"}).exitCode, 0);
        QCOMPARE(code(1, 4), QByteArray::fromHex("07000000"));
        QCOMPARE(code(2, 5), QByteArray::fromHex("01080000"));
        // Editing the switch profile does not make it the mouse's current one.
        QCOMPARE(quint8(memory()[kSimParameterBAddress + 2]), quint8(0));
    }

    void functionsOfEveryForm()
    {
        QCOMPARE(onMouse({"button", "main", "5", "keys:ctrl+alt+a"}).exitCode, 0);
        QCOMPARE(code(1, 5), QByteArray::fromHex("02050400"));
        QCOMPARE(onMouse({"button", "main", "6", "macro:3"}).exitCode, 0);
        QCOMPARE(code(1, 6), QByteArray::fromHex("108C0000"));
        QCOMPARE(onMouse({"button", "main", "7", "code:0a0b0c0d"}).exitCode, 0);
        QCOMPARE(code(1, 7), QByteArray::fromHex("0A0B0C0D"));
        QCOMPARE(onMouse({"button", "main", "12", "www-favorites"}).exitCode, 0);
        QCOMPARE(code(1, 12), QByteArray::fromHex("03022A00"));
        const QJsonArray main = shown()["buttons"].toObject()["main"].toArray();
        QCOMPARE(main.at(4)["function"].toString(), QStringLiteral("keys:ctrl+alt+a"));
        QCOMPARE(main.at(5)["function"].toString(), QStringLiteral("macro:3"));
        QCOMPARE(main.at(6)["function"].toString(), QStringLiteral("code:0A0B0C0D"));

        // A family-A mouse has no macros to point to.
        const QByteArray before = memory();
        QCOMPARE(onMouse({"button", "main", "8", "macro:1"}, QStringLiteral("a58")).exitCode, 1);
        QCOMPARE(memory(), before);
    }

    void unchangedDescriptionChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("family B") << "b58";
        QTest::newRow("family A") << "a58";
    }
    void unchangedDescriptionChangesNothing()
    {
        QFETCH(QString, kind);
        // Something besides the defaults: a swap, a fire mode, a key combination.
        QCOMPARE(onMouse({"button", "main", "2", "middle"}, kind).exitCode, 0);
        QCOMPARE(onMouse({"button", "main", "9", "fire-mode"}, kind).exitCode, 0);
        QCOMPARE(onMouse({"button", "main", "10", "keys:shift+f5"}, kind).exitCode, 0);
        const QJsonObject description = shown(kind);
        QVERIFY(!description.isEmpty());
        QVERIFY(writeJson("now.json", description));
        const QByteArray before = memory();
        const CliRun run = onMouse({"--trace", "apply.trace", "apply", "now.json"}, kind);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(memory(), before);
        // No erase, memory write or reload reached the mouse.
        for (const char *command : {"set 0 40 09", "set 0 40 11", "set 0 40 12", "set 0 40 19"})
            QVERIFY(!readAll(path("apply.trace")).contains(command));
        const CliRun dry = onMouse({"apply", "now.json", "--dry-run"}, kind);
        QCOMPARE(dry.outLines(), QStringList{"nothing would change"});
    }

    // show --json | apply -: the description read from standard input, applied
    // to a twin of the mouse (so the two programs never share one mouse).
    void pipedDescriptionChangesNothing()
    {
        QCOMPARE(onMouse({"button", "main", "5", "keys:ctrl+c"}).exitCode, 0);
        QVERIFY(QFile::copy(path("mouse.mem"), path("twin.mem")));
        const QByteArray before = memory();
        QProcess show, apply;
        show.setWorkingDirectory(workFolder());
        apply.setWorkingDirectory(workFolder());
        show.setStandardOutputProcess(&apply);
        show.start(QStringLiteral(GM_CLI_PATH), onSimulatedMouse({"show", "--json"}));
        apply.start(QStringLiteral(GM_CLI_PATH),
                    {"--simulate", "b58", "--sim-state", "twin.mem", "apply", "-"});
        QVERIFY(show.waitForFinished(60000) && apply.waitForFinished(60000));
        QCOMPARE(show.exitCode(), 0);
        QCOMPARE(apply.exitCode(), 0);
        QCOMPARE(readAll(path("twin.mem")), before);
    }

    void editedDescriptionIsApplied()
    {
        QJsonObject description = shown();
        QJsonObject dpi = description["dpi"].toObject();
        dpi["levels"] = QJsonArray{"1000", "6400"};
        dpi["current"] = "6400";
        description["dpi"] = dpi;
        description["reportRate"] = 1000;
        QJsonObject buttons = description["buttons"].toObject();
        QJsonArray main = buttons["main"].toArray();
        QJsonObject first = main.at(0).toObject(), second = main.at(1).toObject();
        first["function"] = "right";
        second["function"] = "left";
        main[0] = first;
        main[1] = second;
        main[4] = QJsonObject{{"function", "power"}};
        main[5] = QJsonObject{{"code", "0E000000"}}; // no function: the code counts
        buttons["main"] = main;
        description["buttons"] = buttons;
        QJsonArray macros = description["macros"].toArray();
        macros[3] = QJsonObject{{"slot", 3}, {"name", "jump"}};
        description["macros"] = macros;
        QVERIFY(writeJson("edit.json", description));

        QCOMPARE(onMouse({"apply", "edit.json"}).exitCode, 0);
        const QJsonObject after = shown();
        QCOMPARE(after["dpi"]["slots"].toArray(), (QJsonArray{4, 11, 255, 255}));
        QCOMPARE(after["dpi"]["current"].toString(), QStringLiteral("6400"));
        QCOMPARE(after["reportRate"].toInt(), 1000);
        QCOMPARE(code(1, 1), QByteArray::fromHex("01020000"));
        QCOMPARE(code(1, 2), QByteArray::fromHex("01010000"));
        QCOMPARE(code(1, 5), QByteArray::fromHex("04010000"));
        QCOMPARE(code(1, 6), QByteArray::fromHex("0E000000"));
        QCOMPARE(after["macros"].toArray().at(3)["name"].toString(), QStringLiteral("jump"));
        QVERIFY(writeJson("after.json", after));
        QCOMPARE(onMouse({"apply", "after.json", "--dry-run"}).outLines(),
                 QStringList{"nothing would change"});
    }

    void badDescriptionsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QByteArray>("mentions");
        QTest::newRow("not json") << QByteArray("{\"dpi\":") << QByteArray("no JSON object");
        QTest::newRow("a list") << QByteArray("[1, 2]") << QByteArray("not an object");
        QTest::newRow("unknown key") << QByteArray("{\"dpis\": {}}") << QByteArray("\"dpis\"");
        QTest::newRow("wrong type") << QByteArray("{\"reportRate\": \"fast\"}")
                                    << QByteArray("\"reportRate\" must be a number");
        QTest::newRow("bad rate") << QByteArray("{\"reportRate\": 250}") << QByteArray("\"250\"");
        QTest::newRow("bad level")
            << QByteArray("{\"dpi\": {\"levels\": [\"900\", \"1000\"]}}") << QByteArray("\"900\"");
        QTest::newRow("bad repeat")
            << QByteArray("{\"fireKeys\": [{\"repeat\": 99}]}") << QByteArray("repeat 99:");
        QTest::newRow("bad function")
            << QByteArray("{\"buttons\": {\"main\": [{}, {}, {}, {\"function\": \"jump\"}]}}")
            << QByteArray("\"jump\"");
        QTest::newRow("middle twice")
            << QByteArray("{\"buttons\": {\"main\": [{\"function\": \"middle\"}, {}, "
                          "{\"function\": \"middle\"}]}}")
            << QByteArray("\"middle\" cannot be given twice");
        QTest::newRow("a macro slot twice")
            << QByteArray("{\"macros\": [{\"slot\": 4, \"name\": \"a\"}, "
                          "{\"slot\": 4, \"name\": \"b\"}]}")
            << QByteArray("macro 4 is given twice");
        QTest::newRow("a slot by position and by number")
            << QByteArray("{\"macros\": [{\"name\": \"a\"}, {\"slot\": 0, \"name\": \"b\"}]}")
            << QByteArray("macro 0 is given twice");
        // Out of range, or no whole number: reported as given.
        QTest::newRow("huge repeat") << QByteArray("{\"fireKeys\": [{\"repeat\": 99999999999}]}")
                                     << QByteArray("repeat 99999999999: use 0 or 2-15");
        QTest::newRow("fractional delay")
            << QByteArray("{\"fireKeys\": [{\"delay\": 2.5}]}") << QByteArray("delay 2.5: use");
        QTest::newRow("huge step") << QByteArray("{\"light\": {\"onStep\": 1e300}}")
                                   << QByteArray("light on step 1e+300: use 1-10");
        QTest::newRow("huge macro slot")
            << QByteArray("{\"macros\": [{\"slot\": 40000000000, \"name\": \"x\"}]}")
            << QByteArray("not \"4e+10\"");
        QTest::newRow("huge rate")
            << QByteArray("{\"reportRate\": 99999999999}") << QByteArray("\"99999999999\"");
        QTest::newRow("huge bad function")
            << QByteArray("{\"buttons\": {\"main\": [{}, {}, {}, {\"function\": \"") +
                   QByteArray(3 << 20, 'y') + QByteArray("\"}]}}")
            << QByteArray("(3145728 characters)");
    }
    void badDescriptionsChangeNothing()
    {
        QFETCH(QByteArray, json);
        QFETCH(QByteArray, mentions);
        QVERIFY(writeAll(path("bad.json"), json));
        const QByteArray before = memory();
        const CliRun run = onMouse({"apply", "bad.json"});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.errLines().size(), 1);
        QVERIFY2(run.err.contains(mentions), run.err.left(1000).constData());
        QVERIFY(run.err.size() < 1000); // a bad value is cut, not echoed whole
        QCOMPARE(memory(), before);
    }

    // A refused rule half way through leaves everything before it unwritten too.
    void refusedRuleWritesNothing()
    {
        QVERIFY(writeAll(path("refused.json"),
                         "{\"reportRate\": 1000, \"buttons\": {\"switch\": [{}, {}, {}, {}, "
                         "{\"function\": \"forward\"}]}}"));
        const QByteArray before = memory();
        QCOMPARE(onMouse({"apply", "refused.json"}).exitCode, 1);
        QCOMPARE(memory(), before);
    }
};

QTEST_GUILESS_MAIN(TestButtonAndApply)
#include "test_button_and_apply.moc"
