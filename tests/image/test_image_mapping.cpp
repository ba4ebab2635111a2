#include "image/configuration.h"
#include "image/image_layout.h"
#include "image/section_checks.h"
#include "image_test_support.h"

#include <QTest>

namespace {

// A layout-42 parameter block built from the default one: the four moving
// areas rearranged, with distinct bytes in 32-92 and valid checksums.
QByteArray layout42Block(const QByteArray &defaultBlock)
{
    QByteArray d = defaultBlock;
    d[1] = 0x1D;
    QByteArray a = d.left(27);
    SectionChecksum(a, kParameterADataBytes);
    d.replace(0, 27, a);
    for (int i = 32; i <= 92; ++i)
        d[i] = char(i);
    return d;
}

} // namespace

class TestImageMapping : public QObject
{
    Q_OBJECT

private slots:
    void layout42KeepsMovingAreas()
    {
        Configuration config;
        startWithEnglish(config);
        config.state().ImageLayoutCode = 42;
        connectMouse(config, 42, false);
        config.image().DataBuf = layout42Block(config.image().DataBuf);
        const QByteArray original = config.image().DataBuf;

        config.DataBufToUI();
        QCOMPARE(config.sections().ReservedBlock, original.mid(32, 51));
        QCOMPARE(config.sections().IdBytes, original.mid(83, 2));
        QCOMPARE(config.sections().EFTControl, original.mid(85, 4));
        QCOMPARE(config.sections().UserBreath, original.mid(89, 4));

        config.image().DataBuf.fill(char(0xFF));
        config.AssembleDataBuf();
        QCOMPARE(hex(config.image().DataBuf.mid(32, 61)), hex(original.mid(32, 61)));
        QCOMPARE(hex(config.image().DataBuf.left(255)), hex(original.left(255)));
    }

    void familyBKeepsItsOwnAreas_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("userBreathKept");
        QTest::newRow("layout 58") << 58 << true;
        QTest::newRow("layout 42") << 42 << false;
    }
    void familyBKeepsItsOwnAreas()
    {
        QFETCH(int, layout);
        QFETCH(bool, userBreathKept);
        SectionRecords s;
        s.ParameterB = QByteArray::fromHex("0102030405"); // wrong checksum on purpose
        s.UserBreath = QByteArray::fromHex("0A0B0C0D");
        const QByteArray block(256, '\x42');
        splitParameterBlock(block, layout, true, s);
        QCOMPARE(s.ParameterB, QByteArray::fromHex("0102030405"));
        QCOMPARE(s.UserBreath == QByteArray::fromHex("0A0B0C0D"), userBreathKept);
        QCOMPARE(s.ParameterA, QByteArray(27, '\x42'));

        // Intake does not validate ParameterB of a family-B mouse.
        Configuration config;
        startWithEnglish(config);
        connectMouse(config, layout, true);
        config.sections().ParameterB = QByteArray::fromHex("0002000300");
        config.DataBufToUI();
        QCOMPARE(config.sections().ParameterB, QByteArray::fromHex("0002000300"));
    }

    void shortBuffersAreSafe()
    {
        SectionRecords s;
        splitParameterBlock(QByteArray(40, '\x01'), 58, false, s);
        QCOMPARE(s.ParameterA, QByteArray(27, '\x01'));
        QCOMPARE(s.UserBreath, QByteArray(4, '\x01'));
        QCOMPARE(s.Profile, QByteArray(145, '\0'));

        Configuration config;
        startWithEnglish(config);
        config.image().DataBuf = QByteArray(10, '\x05');
        config.DataBufToUI();
        config.AssembleDataBuf();
        QCOMPARE(config.image().DataBuf.size(), kParameterBlockSize);
    }

    void profileByteFollowsCurrentPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("expected");
        QTest::newRow("main") << int(Configuration::Page::Main) << 0;
        QTest::newRow("switch") << int(Configuration::Page::Switch) << 1;
        QTest::newRow("fixed") << int(Configuration::Page::Fixed) << 2;
        QTest::newRow("advanced keeps") << int(Configuration::Page::Advanced) << 7;
        QTest::newRow("macro keeps") << int(Configuration::Page::Macro) << 7;
    }
    void profileByteFollowsCurrentPage()
    {
        QFETCH(int, page);
        QFETCH(int, expected);
        Configuration config;
        startWithEnglish(config);
        config.sections().ParameterB[2] = 7;
        config.setCurrentPage(Configuration::Page(page));
        config.UIToDataBuf();
        QCOMPARE(int(config.sections().ParameterB[2]), expected);
    }

    void imageSelectsProfilePage_data()
    {
        QTest::addColumn<int>("profileByte");
        QTest::addColumn<int>("page");
        QTest::newRow("switch") << 1 << int(Configuration::Page::Switch);
        QTest::newRow("fixed") << 2 << int(Configuration::Page::Fixed);
        QTest::newRow("other value keeps the page") << 9 << int(Configuration::Page::Breathing);
    }
    void imageSelectsProfilePage()
    {
        QFETCH(int, profileByte);
        QFETCH(int, page);
        Configuration config;
        startWithEnglish(config);
        config.setCurrentPage(Configuration::Page::Breathing);
        QByteArray b = config.image().DataBuf.mid(27, 5);
        b[2] = char(profileByte);
        SectionChecksum(b, kParameterBDataBytes);
        config.image().DataBuf.replace(27, 5, b);
        config.DataBufToUI();
        QCOMPARE(int(config.currentPage()), page);
    }

    void fireModeButtonsGetSelectedModes_data()
    {
        QTest::addColumn<QList<int>>("modes");
        QTest::addColumn<QByteArray>("code");
        QTest::newRow("1 and 3") << QList<int>{1, 3} << QByteArray("0F 01 03 00");
        QTest::newRow("2, 3, 4") << QList<int>{2, 3, 4} << QByteArray("0F 02 03 04");
        QTest::newRow("4 only") << QList<int>{4} << QByteArray("0F 04 00 00");
    }
    void fireModeButtonsGetSelectedModes()
    {
        QFETCH(QList<int>, modes);
        QFETCH(QByteArray, code);
        Configuration config;
        startWithEnglish(config);
        // Fire Mode codes on main button 5 and fixed button 12, stale bytes.
        config.ProfileCodeStrings()[0][4] = "0F040201";
        config.ProfileCodeStrings()[2][11] = "0F000000";
        // The marks as a Fire Mode button carrying these modes shows them.
        AdvancedPageModel &adv = config.advancedPage();
        QByteArray marks(145, '\0');
        marks[0] = 0x0F;
        for (int i = 0; i < modes.size(); ++i)
            marks[1 + i] = char(modes[i]);
        adv.RefreshFireKeyMode(marks);
        for (int m = 1; m <= 4; ++m)
            QCOMPARE(adv.fireModeSelected(m), modes.contains(m));

        const QByteArray before = config.sections().Profile;
        config.FireKeyAndFireKeyModeToDataBuf();
        const QByteArray &p = config.sections().Profile;
        QCOMPARE(hex(p.mid(16, 4)), code);
        QCOMPARE(hex(p.mid(96 + 44, 4)), code);
        // Other buttons, and the code texts, are untouched.
        QCOMPARE(p.left(16), before.left(16));
        QCOMPARE(config.ProfileCodeStrings()[0][4], QStringLiteral("0F040201"));
    }
};

QTEST_GUILESS_MAIN(TestImageMapping)
#include "test_image_mapping.moc"
