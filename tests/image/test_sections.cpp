#include "configuration/configuration.h"
#include "image/image_layout.h"
#include "image/section_checks.h"
#include "image_test_support.h"

#include <QTest>

namespace {

enum Section
{
    ParamA,
    Fire,
    Prof
};

QByteArray &recordOf(SectionRecords &s, int section)
{
    return section == ParamA ? s.ParameterA : section == Fire ? s.FireKey : s.Profile;
}

// Recognisable data bytes; the checksum is right only when asked for.
QByteArray record(int length, bool validChecksum)
{
    QByteArray r(length, '\0');
    for (int i = 0; i < length - 1; ++i)
        r[i] = char(0x11 + i);
    r[length - 1] = char(sectionChecksumOf(r, length - 1) + (validChecksum ? 0 : 1));
    return r;
}

} // namespace

class TestSections : public QObject
{
    Q_OBJECT

private slots:
    void checksumRule()
    {
        QByteArray zeros(26, '\0');
        SectionChecksum(zeros, 26);
        QCOMPARE(quint8(zeros[26]), quint8(0x5A));
        QVERIFY(!sectionChecksumValid(QByteArray(26, '\0'), 26)); // no checksum byte
        QCOMPARE(sectionChecksumOf(QByteArray::fromHex("FF02"), 2), quint8(0x01 ^ 0x5A));
        QCOMPARE(hex(repairParameterB()), QByteArray("01 02 00 04 5D"));
        QCOMPARE(quint8(repairProfile().back()), quint8(0x57));
        QCOMPARE(quint8(repairParameterA(42)[1]), quint8(0x1D));
    }

    void validation_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("valid");
        for (int section : {ParamA, Fire, Prof})
            for (int layout : {0, 42, 58})
                for (bool valid : {true, false})
                    QTest::addRow("section %d layout %d %s", section, layout,
                                  valid ? "valid" : "broken")
                        << section << layout << valid;
    }
    void validation()
    {
        QFETCH(int, section);
        QFETCH(int, layout);
        QFETCH(bool, valid);
        SectionRecords s;
        QByteArray &r = recordOf(s, section);
        r = record(int(r.size()), valid);
        const QByteArray before = r;
        const int n = int(r.size()) - 1;
        (section == ParamA ? CheckParameterASection
         : section == Fire ? CheckFireKeySection
                           : CheckProfileSection)(s, layout);

        QVERIFY(sectionChecksumValid(r, n));
        if (valid || layout == 0) // passed, or no mouse identified: data stays
            QCOMPARE(r.left(n), before.left(n));
        else
            QCOMPARE(r, section == ParamA ? repairParameterA(layout)
                        : section == Fire ? repairFireKey()
                                          : repairProfile());
    }

    void brokenParameterBResetsParameterA_data()
    {
        QTest::addColumn<int>("layout");
        QTest::newRow("42") << 42;
        QTest::newRow("58") << 58;
        QTest::newRow("no mouse") << 0;
    }
    void brokenParameterBResetsParameterA()
    {
        QFETCH(int, layout);
        SectionRecords s;
        s.ParameterA = record(27, true);
        const QByteArray validA = s.ParameterA;
        s.ParameterB = QByteArray::fromHex("0302010700");
        CheckParameterBSection(s, layout);
        QCOMPARE(s.ParameterA, layout ? repairParameterA(layout) : validA);
        QCOMPARE(hex(s.ParameterB), layout ? hex(repairParameterB()) : "03 02 01 07 57");
    }

    void badLengthsAreSafe()
    {
        SectionRecords s;
        s.ParameterA.clear();
        s.FireKey = QByteArray(300, '\x01');
        s.Profile.clear();
        CheckParameterBSection(s, 58);
        CheckFireKeySection(s, 0);
        CheckProfileSection(s, 42);
        QCOMPARE(s.FireKey.size(), SectionRecords::kFireKeyLength);
        QCOMPARE(s.Profile, repairProfile());
        splitParameterBlock(QByteArray(40, '\x01'), 58, false, s);
        QCOMPARE(s.UserBreath, QByteArray(4, '\x01'));

        Configuration config;
        startWithEnglish(config);
        config.image().DataBuf = QByteArray(10, '\x05');
        config.DataBufToUI();
        config.AssembleDataBuf();
        QCOMPARE(config.image().DataBuf.size(), kParameterBlockSize);
    }

    void layout42KeepsMovingAreas()
    {
        Configuration config;
        startWithEnglish(config);
        config.state().ImageLayoutCode = 42;
        connectMouse(config, 42, false);
        QByteArray &d = config.image().DataBuf;
        QByteArray a = d.left(27);
        a[1] = 0x1D;
        SectionChecksum(a, kParameterADataBytes);
        d.replace(0, 27, a);
        for (int i = 32; i <= 92; ++i)
            d[i] = char(i);
        const QByteArray original = d;

        config.DataBufToUI();
        QCOMPARE(config.sections().ReservedBlock, original.mid(32, 51));
        QCOMPARE(config.sections().UserBreath, original.mid(89, 4));
        d.fill(char(0xFF));
        config.AssembleDataBuf();
        QCOMPARE(hex(d.left(255)), hex(original.left(255)));
    }

    void familyBKeepsItsOwnAreas_data()
    {
        QTest::addColumn<int>("layout");
        QTest::newRow("58") << 58;
        QTest::newRow("42") << 42;
    }
    void familyBKeepsItsOwnAreas()
    {
        QFETCH(int, layout);
        Configuration config;
        startWithEnglish(config);
        connectMouse(config, layout, true);
        config.state().ImageLayoutCode = layout;
        config.sections().ParameterB = QByteArray::fromHex("0002000300"); // bad checksum
        config.sections().UserBreath = QByteArray::fromHex("0A0B0C0D");
        config.DataBufToUI();
        QCOMPARE(config.sections().ParameterB, QByteArray::fromHex("0002000300"));
        // Layout 42 keeps UserBreath in the parameter block for both families.
        QCOMPARE(config.sections().UserBreath == QByteArray::fromHex("0A0B0C0D"), layout == 58);
    }

    void profileByteAndPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("stored");
        QTest::newRow("main") << int(Configuration::Page::Main) << 0;
        QTest::newRow("switch") << int(Configuration::Page::Switch) << 1;
        QTest::newRow("fixed") << int(Configuration::Page::Fixed) << 2;
        QTest::newRow("advanced keeps") << int(Configuration::Page::Advanced) << 7;
    }
    void profileByteAndPage()
    {
        QFETCH(int, page);
        QFETCH(int, stored);
        Configuration config;
        startWithEnglish(config);
        config.sections().ParameterB[2] = 7;
        config.setCurrentPage(Configuration::Page(page));
        config.AssembleDataBuf();
        QCOMPARE(int(config.image().DataBuf[29]), stored);

        // The same byte selects the page again on intake; 7 leaves it.
        config.setCurrentPage(Configuration::Page::Breathing);
        config.DataBufToUI();
        QCOMPARE(int(config.currentPage()),
                 stored == 7 ? int(Configuration::Page::Breathing) : page);
        QCOMPARE(config.buttonAssignment().shownProfile(), stored == 7 ? 0 : stored + 1);
    }

    void fireModeButtons_data()
    {
        QTest::addColumn<QList<int>>("modes");
        QTest::addColumn<QByteArray>("code");
        QTest::newRow("1 and 3") << QList<int>{1, 3} << QByteArray("0F 01 03 00");
        QTest::newRow("2, 3, 4") << QList<int>{2, 3, 4} << QByteArray("0F 02 03 04");
    }
    void fireModeButtons()
    {
        QFETCH(QList<int>, modes);
        QFETCH(QByteArray, code);
        Configuration config;
        startWithEnglish(config);
        config.profileFunctions()[0][4] = FunctionCode::fromWord(0x0F040201); // stale mode bytes
        config.profileFunctions()[2][11] = FunctionCode::fromWord(0x0F000000);
        // The marks as a Fire Mode button carrying these modes sets them.
        QByteArray marks(145, '\0');
        marks[0] = 0x0F;
        for (int i = 0; i < modes.size(); ++i)
            marks[1 + i] = char(modes[i]);
        config.advancedPage().RefreshFireKeyMode(marks);

        const QByteArray before = config.sections().Profile;
        config.FireKeyAndFireKeyModeToDataBuf();
        const QByteArray &p = config.sections().Profile;
        QCOMPARE(hex(p.mid(16, 4)), code);
        QCOMPARE(hex(p.mid(140, 4)), code);
        QCOMPARE(p.left(16), before.left(16));
        QCOMPARE(config.profileFunctions()[0][4].hexText(), QStringLiteral("0F040201"));
    }
};

QTEST_GUILESS_MAIN(TestSections)
#include "test_sections.moc"
