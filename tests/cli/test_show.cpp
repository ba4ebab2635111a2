#include "cli_test_support.h"

#include <QJsonArray>
#include <QTest>

// show: the default image as the pages show it, and how a file is validated
// with and without a pretended mouse.
class TestShow : public QObject, protected CliTestFolder
{
    Q_OBJECT

private:
    QJsonObject show(const QStringList &args) { return showJson(args, workFolder()); }

private slots:
    void initTestCase()
    {
        QVERIFY(renew());
        QVERIFY(writeAll(path("defaults.bin"), defaultProfileImage()));
    }

    // The same defaults whether they come from a file or from a fresh mouse.
    void defaultImage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("file") << QStringList{"show", "--json", "defaults.bin"};
        QTest::newRow("family B mouse") << QStringList{"--simulate", "b58", "show", "--json"};
        QTest::newRow("family A mouse") << QStringList{"--simulate", "a58", "show", "--json"};
    }
    void defaultImage()
    {
        QFETCH(QStringList, args);
        const QJsonObject shown = show(args);
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown["layoutCode"].toInt(), 58);
        QCOMPARE(shown["vendorId"].toInt(), 0x1209);
        QCOMPARE(shown["productId"].toInt(), 1);

        const QJsonObject dpi = shown["dpi"].toObject();
        QCOMPARE(dpi["slots"].toArray(), (QJsonArray{3, 5, 9, 10}));
        QCOMPARE(dpi["levels"].toArray(), (QJsonArray{"800", "1200", "3200", "4800"}));
        QCOMPARE(dpi["current"].toString(), QStringLiteral("3200"));
        QCOMPARE(shown["reportRate"].toInt(), 500);
        QCOMPARE(shown["profile"].toString(), QStringLiteral("main"));

        // Bypassed: the page keeps its start values.
        const QJsonObject light = shown["light"].toObject();
        QCOMPARE(light["bypassed"].toBool(), true);
        QCOMPARE(light["mode"].toString(), QStringLiteral("Random"));
        for (const char *step : {"offStep", "raiseStep", "onStep", "fallStep"})
            QCOMPARE(light[step].toInt(-1), 0);
        QCOMPARE(light["colorMode"].toInt(), 1);
        QCOMPARE(light["color1"].toArray(), (QJsonArray{0, 0, 0}));
        QCOMPARE(light["color2"].toArray(), (QJsonArray{0, 0, 0}));

        const QJsonArray fireKeys = shown["fireKeys"].toArray();
        QCOMPARE(fireKeys.size(), 4);
        for (int n = 0; n < 4; ++n) {
            QCOMPARE(fireKeys[n]["repeat"].toInt(), 2);
            QCOMPARE(fireKeys[n]["delay"].toInt(), 16 * (n + 1));
        }
        QCOMPARE(shown["fireModes"].toArray(), (QJsonArray{1, 2, 3}));

        const QJsonObject buttons = shown["buttons"].toObject();
        for (const char *profile : {"main", "switch", "fixed"})
            QCOMPARE(buttons[profile].toArray().size(), 12);
        const QJsonArray main = buttons["main"].toArray();
        QCOMPARE(main[0]["code"].toString(), QStringLiteral("01010000"));
        QCOMPARE(main[0]["text"].toString(), QStringLiteral("Left Key"));
        QCOMPARE(main[7]["code"].toString(), QStringLiteral("06120010"));
        QCOMPARE(main[9]["code"].toString(), QStringLiteral("10800000"));
        QCOMPARE(main[9]["text"].toString(), QStringLiteral("macro0")); // bound to macro 0
        const QJsonArray fixed = buttons["fixed"].toArray();
        QCOMPARE(fixed[7]["code"].toString(), QStringLiteral("07000000"));
        QCOMPARE(fixed[9]["code"].toString(), QStringLiteral("03022300"));

        const QJsonArray macros = shown["macros"].toArray();
        QCOMPARE(macros.size(), 32);
        for (int i = 0; i < 32; ++i) {
            QCOMPARE(macros[i]["slot"].toInt(), i);
            QCOMPARE(macros[i]["name"].toString(), QStringLiteral("macro%1").arg(i));
            QCOMPARE(macros[i]["length"].toInt(-1), 0);
            QCOMPARE(macros[i]["lines"].toArray(), QJsonArray());
        }
    }

    void textOutputOfTheDefaults()
    {
        const CliRun run = runCli({"show", "defaults.bin"}, workFolder());
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.outLines();
        QVERIFY(lines.contains(QStringLiteral("DPI levels: 800 1200 3200 4800 (current: 3200)")));
        QVERIFY(lines.contains(QStringLiteral("report rate: 500 Hz")));
        QVERIFY(lines.contains(QStringLiteral("   1  01010000  Left Key")));
    }

    // A broken FireKey checksum: only corrected without a mouse, repaired to
    // the built-in fire keys with a layout-58 mouse.
    void validationFollowsThePretendedMouse_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("repeat");
        QTest::addColumn<int>("delay");
        QTest::newRow("no mouse") << QStringList{} << 5 << 0x123;
        QTest::newRow("layout 58") << QStringList{"--layout", "58"} << 2 << 16;
        QTest::newRow("layout 58 family b")
            << QStringList{"--layout", "58", "--family", "b"} << 2 << 16;
    }
    void validationFollowsThePretendedMouse()
    {
        QFETCH(QStringList, options);
        QFETCH(int, repeat);
        QFETCH(int, delay);
        QByteArray image = defaultProfileImage();
        image.replace(kFireKeyOffset, 4, QByteArray::fromHex("06150123"));
        image[kFireKeyOffset + 16] = char(image[kFireKeyOffset + 16] + 1);
        QVERIFY(writeAll(path("firekey.bin"), image));

        const QJsonObject shown = show(QStringList{"show", "--json", "firekey.bin"} + options);
        const QJsonObject first = shown["fireKeys"].toArray().at(0).toObject();
        QCOMPARE(first["repeat"].toInt(), repeat);
        QCOMPARE(first["delay"].toInt(), delay);
    }

    // A delay past the page's limit of 2000 is shown as the mouse holds it
    // (12 bits, up to 4095), in JSON and in the text alike.
    void fireKeyDelayAsTheMouseHoldsIt()
    {
        QByteArray image = defaultProfileImage();
        image.replace(kFireKeyOffset, 4, QByteArray::fromHex("061F0FFF"));
        int sum = 0;
        for (int i = 0; i < 16; ++i)
            sum += quint8(image[kFireKeyOffset + i]);
        image[kFireKeyOffset + 16] = char((sum & 0xFF) ^ 0x5A);
        QVERIFY(writeAll(path("slow.bin"), image));
        const QJsonObject shown = show({"show", "--json", "slow.bin"});
        const QJsonObject first = shown["fireKeys"].toArray().at(0).toObject();
        QCOMPARE(first["delay"].toInt(), 4095);
        QCOMPARE(first["repeat"].toInt(), 15);
        const CliRun text = runCli({"show", "slow.bin"}, workFolder());
        QCOMPARE(text.exitCode, 0);
        QVERIFY(text.out.contains("1: repeat 15, delay 4095"));
    }

    // A family-B mouse keeps its own ParameterB, so the file's rate is not shown.
    void familyDecidesWhereParameterBComesFrom_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("rate");
        QTest::newRow("a") << "a" << 1000;
        QTest::newRow("b") << "b" << 500;
    }
    void familyDecidesWhereParameterBComesFrom()
    {
        QFETCH(QString, family);
        QFETCH(int, rate);
        QByteArray image = defaultProfileImage();
        image[kReportRateOffset] = 1;
        fixChecksum(image, kParameterBOffset, 4);
        QVERIFY(writeAll(path("rate.bin"), image));
        const QJsonObject shown =
            show({"show", "--json", "--layout", "58", "--family", family, "rate.bin"});
        QCOMPARE(shown["reportRate"].toInt(), rate);
    }

    // A slot holds an index into the language's DPI table; a text no level
    // caption carries marks nothing.
    void languageDecidesWhatTheSlotsMean_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QJsonArray>("levels");
        QTest::newRow("1") << "1" << QJsonArray{"1000", "6400"};
        QTest::newRow("3") << "3" << QJsonArray{"1000"}; // entry 11 is 6000, not a level
    }
    void languageDecidesWhatTheSlotsMean()
    {
        QFETCH(QString, language);
        QFETCH(QJsonArray, levels);
        QByteArray image = defaultProfileImage();
        image.replace(10, 4, QByteArray::fromHex("040BFFFF"));
        image[kParameterBOffset] = 0;
        fixChecksum(image, 0, 26);
        fixChecksum(image, kParameterBOffset, 4);
        QVERIFY(writeAll(path("dpi.bin"), image));
        const QJsonObject shown = show({"show", "--json", "--lang", language, "dpi.bin"});
        QCOMPARE(shown["dpi"]["levels"].toArray(), levels);
        QCOMPARE(shown["dpi"]["current"].toString(), QStringLiteral("1000"));
        const QString leftKey = shown["buttons"]["main"].toArray().at(0)["text"].toString();
        QCOMPARE(leftKey == QLatin1String("Left Key"), language == QLatin1String("1"));
    }

    void shortFileReplacesOnlyWhatItReaches()
    {
        // 256 bytes: the parameter block only; the macros stay the defaults.
        QByteArray block = defaultProfileImage().left(256);
        block[kReportRateOffset] = 1;
        fixChecksum(block, kParameterBOffset, 4);
        QVERIFY(writeAll(path("short.bin"), block));
        const QJsonObject shown = show({"show", "--json", "short.bin"});
        QCOMPARE(shown["reportRate"].toInt(), 1000);
        QCOMPARE(shown["macros"].toArray().at(5)["name"].toString(), QStringLiteral("macro5"));
    }
};

QTEST_GUILESS_MAIN(TestShow)
#include "test_show.moc"
