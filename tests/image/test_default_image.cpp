#include "image/default_image.h"
#include "image/image_layout.h"
#include "image/section_checks.h"
#include "image_test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDefaultImage : public QObject
{
    Q_OBJECT

private slots:
    void embeddedImageIsComplete()
    {
        QFile resource(kDefaultImageResource);
        QVERIFY(resource.open(QIODevice::ReadOnly));
        const QByteArray raw = resource.readAll();
        QCOMPARE(raw.size(), kImageSize);

        SectionRecords s;
        splitParameterBlock(raw, 58, false, s);
        for (const auto &[section, n] : {std::pair{s.ParameterA, 26},
                                         {s.ParameterB, 4},
                                         {s.UserBreath, 3},
                                         {s.EFTControl, 3},
                                         {s.FireKey, 16},
                                         {s.Profile, 144}})
            QVERIFY(sectionChecksumValid(section, n));
        // The ids searched for are the ones a repair restores.
        QCOMPARE(s.ParameterA.mid(2, 4), repairParameterA(58).mid(2, 4));

        for (int i = 0; i < kMacroCount; ++i) {
            QByteArray expected(32, '\0');
            const QByteArray name = QByteArray("macro") + QByteArray::number(i);
            expected[3] = char(2 * name.size());
            for (int c = 0; c < name.size(); ++c)
                expected[5 + 2 * c] = name[c]; // UTF-16 big-endian
            QCOMPARE(hex(raw.mid(256 + 32 * i, 32)), hex(expected));
        }
        QCOMPARE(raw.mid(1280), QByteArray(kMacroBlocksSize, char(0xFF)));
    }

    void startUpShowsDefaultPages()
    {
        // Through the shipped English language resource.
        Configuration config;
        CountingMacroNames macros;
        config.setMacroNameList(&macros);
        macros.names = QStringList(32, QStringLiteral("unused"));
        macros.names[0] = QStringLiteral("Combo");
        QVERIFY(config.startUp());
        QCOMPARE(macros.refreshed, 1);

        const AppState &s = config.state();
        QCOMPARE(s.CandidateIds[0], (IdPair{kBuiltInVendorId, kBuiltInProductId}));
        QCOMPARE(s.CandidateIds[1], (IdPair{0, 0}));
        QCOMPARE(s.ImageLayoutCode, 58);
        QCOMPARE(s.ImageIdBytes[0] + s.ImageIdBytes[1], 0xFF + 0xFF);
        QCOMPARE(config.profileFunctions()[0][7].hexText(), QStringLiteral("06120010"));

        const AdvancedPageModel &adv = config.advancedPage();
        QStringList selected;
        for (int level = 1; level <= 8; ++level)
            if (adv.dpiLevelSelected(level))
                selected << adv.dpiCaption(level);
        QCOMPARE(selected, QStringList({"800", "1200", "3200", "4800"}));
        QCOMPARE(adv.dpiCaption(adv.currentDpiLevel()), QStringLiteral("3200"));
        QCOMPARE(s.CurrentReportRate, 500);
        QCOMPARE(config.currentPage(), Configuration::Page::Main);
        // Main button 10 carries macro slot 0; its caption is the macro's name.
        QCOMPARE(config.buttonAssignment().shownProfile(), int(MainProfile));
        QCOMPARE(config.buttonAssignment().caption(10), QStringLiteral("Combo"));
    }

    void defaultImageAssemblesBackUnchanged()
    {
        Configuration config;
        startWithEnglish(config);
        const QByteArray original = config.image().DataBuf;
        connectMouse(config, 58, false);
        config.DataBufToUI();
        config.image().DataBuf.fill(char(0xFF));
        config.AssembleDataBuf();
        QCOMPARE(hex(config.image().DataBuf.left(255)), hex(original.left(255)));
    }

    void imageIdentity_data()
    {
        QTest::addColumn<int>("layoutByte");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("idOffset");
        QTest::addColumn<int>("panelHeight");
        QTest::newRow("29") << 29 << 42 << 83 << Configuration::kSpecialPanelHeight42;
        QTest::newRow("58") << 58 << 58 << 87 << Configuration::kSpecialPanelHeight58;
        QTest::newRow("other") << 0x10 << 0 << 0 << Configuration::kSpecialPanelHeight58;
    }
    void imageIdentity()
    {
        QFETCH(int, layoutByte);
        QFETCH(int, layout);
        QFETCH(int, idOffset);
        QFETCH(int, panelHeight);
        Configuration config;
        QByteArray &d = config.image().DataBuf;
        for (int i = 0; i < d.size(); ++i)
            d[i] = char(i);
        d[1] = char(layoutByte);
        config.takeImageIdentity();
        const AppState &s = config.state();
        QCOMPARE(s.ImageVendorId, 0x0203u);
        QCOMPARE(s.ImageProductId, 0x0405u);
        QCOMPARE(s.ImageLayoutCode, layout);
        QCOMPARE(s.ImageIdBytes[0], idOffset);
        QCOMPARE(s.ImageIdBytes[1], idOffset ? idOffset + 1 : 0);
        QCOMPARE(config.specialPanelHeight(), panelHeight);

        // The unknown layout takes only the sections that never move.
        startWithEnglish(config);
        config.state().ImageLayoutCode = layout;
        config.sections().ReservedBlock.fill('\x33');
        config.DataBufToUI();
        QCOMPARE(config.sections().ReservedBlock == QByteArray(51, '\x33'), layout == 0);
        QCOMPARE(config.profileFunctions()[0][0].hexText(), QStringLiteral("01010000"));
    }

    void brokenResourceFailsCleanly_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("missing") << -1;
        QTest::newRow("short") << 256;
        QTest::newRow("long") << kImageSize + 1;
    }
    void brokenResourceFailsCleanly()
    {
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString path = dir.filePath("image");
        QFile f(path);
        if (size >= 0)
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(QByteArray(size, '\x11')) == size);
        f.close();
        ImageBuffers buffers;
        QVERIFY(!readDefaultImage(buffers, path));
        QCOMPARE(joinImage(buffers), QByteArray(kImageSize, char(0xFF)));
    }
};

QTEST_GUILESS_MAIN(TestDefaultImage)
#include "test_default_image.moc"
