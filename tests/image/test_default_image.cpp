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
        splitParameterBlock(raw.left(256), 58, false, s);
        QVERIFY(sectionChecksumValid(s.ParameterA, kParameterADataBytes));
        QVERIFY(sectionChecksumValid(s.ParameterB, kParameterBDataBytes));
        QVERIFY(sectionChecksumValid(s.UserBreath, kUserBreathDataBytes));
        QVERIFY(sectionChecksumValid(s.EFTControl, kEFTControlDataBytes));
        QVERIFY(sectionChecksumValid(s.FireKey, kFireKeyDataBytes));
        QVERIFY(sectionChecksumValid(s.Profile, kProfileDataBytes));
        // The ids the program searches for are the ones a repair restores.
        QCOMPARE(s.ParameterA.mid(2, 4), repairParameterA(58).mid(2, 4));
        QCOMPARE(s.FireKey, repairFireKey());

        for (int i = 0; i < kMacroCount; ++i) {
            const QByteArray entry = raw.mid(256 + 32 * i, 32);
            const QString name = QStringLiteral("macro%1").arg(i);
            QCOMPARE(entry.left(3), QByteArray(3, '\0'));
            QCOMPARE(int(quint8(entry[3])), 2 * int(name.size()));
            QByteArray utf16be;
            for (QChar c : name)
                utf16be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
            QCOMPARE(entry.mid(4, utf16be.size()), utf16be);
            QCOMPARE(entry.mid(4 + utf16be.size()), QByteArray(28 - utf16be.size(), '\0'));
        }
        QCOMPARE(raw.mid(1280), QByteArray(kMacroBlocksSize, char(0xFF)));
    }

    void startUpTakesIdsAndLayout()
    {
        Configuration config;
        QVERIFY(config.startUp());
        const AppState &s = config.state();
        QCOMPARE(s.ImageVendorId, quint32(kBuiltInVendorId));
        QCOMPARE(s.ImageProductId, quint32(kBuiltInProductId));
        QCOMPARE(s.ImageLayoutCode, 58);
        QCOMPARE(s.ImageIdBytes[0], 0xFF);
        QCOMPARE(s.ImageIdBytes[1], 0xFF);
        QCOMPARE(s.CandidateIds[0], (IdPair{kBuiltInVendorId, kBuiltInProductId}));
        QCOMPARE(s.CandidateIds[1], (IdPair{0, 0}));
        QCOMPARE(config.specialPanelHeight(), Configuration::kSpecialPanelHeight58);
        QCOMPARE(config.ProfileCodeStrings()[0][7], QStringLiteral("06120010"));
        QCOMPARE(config.ProfileCodeStrings()[2][9], QStringLiteral("03022300"));
    }

    void imageIdentity_data()
    {
        QTest::addColumn<int>("layoutByte");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("idOffset");
        QTest::addColumn<int>("panelHeight");
        QTest::newRow("29") << 29 << 42 << 83 << Configuration::kSpecialPanelHeight42;
        QTest::newRow("58") << 58 << 58 << 87 << Configuration::kSpecialPanelHeight58;
        QTest::newRow("other") << 0x10 << 0 << -1 << Configuration::kSpecialPanelHeight58;
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
        QCOMPARE(s.ImageIdBytes[0], idOffset < 0 ? 0 : idOffset);
        QCOMPARE(s.ImageIdBytes[1], idOffset < 0 ? 0 : idOffset + 1);
        QCOMPARE(config.specialPanelHeight(), panelHeight);
    }

    void startUpShowsDefaultPages()
    {
        // The shipped English texts, through the real language resource.
        Configuration config;
        int refreshed = 0;
        config.RefreshMacroName = [&] { ++refreshed; };
        QVERIFY(config.startUp());
        QCOMPARE(refreshed, 1);

        const AdvancedPageModel &adv = config.advancedPage();
        QStringList selected;
        for (int level = 1; level <= 8; ++level) {
            if (adv.dpiLevelSelected(level))
                selected << adv.dpiCaption(level);
        }
        QCOMPARE(selected, QStringList({"800", "1200", "3200", "4800"}));
        QCOMPARE(adv.dpiCaption(adv.currentDpiLevel()), QStringLiteral("3200"));
        QCOMPARE(adv.reportRate(), AdvancedPageModel::ReportRate::Hz500);
        QCOMPARE(config.state().CurrentReportRate, 500);
        QCOMPARE(config.currentPage(), Configuration::Page::Main);
        QCOMPARE(adv.fireKeyRepeat(1), 2);
        QCOMPARE(adv.fireKeyDelay(4), 64);
    }

    void defaultImageAssemblesBackUnchanged()
    {
        // Start-up, a layout-58 mouse, no edit: the block leaves as it came.
        Configuration config;
        startWithEnglish(config);
        const QByteArray original = config.image().DataBuf;
        connectMouse(config, 58, false);
        config.DataBufToUI();
        config.image().DataBuf.fill(char(0xFF));
        config.AssembleDataBuf();
        QCOMPARE(hex(config.image().DataBuf.left(255)), hex(original.left(255)));
    }

    void resetCopyMatchesWorkingImage()
    {
        Configuration config;
        QVERIFY(config.startUp());
        QVERIFY(config.LoadDefaultCopy());
        QCOMPARE(config.defaultImage().DataBuf, config.image().DataBuf);
        QCOMPARE(config.defaultImage().MacroNameTable, config.image().MacroNameTable);
        QCOMPARE(config.defaultImage().MacroBlocks, config.image().MacroBlocks);
    }

    void brokenResourceFailsCleanly_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("missing") << -1;
        QTest::newRow("empty") << 0;
        QTest::newRow("short") << 256;
        QTest::newRow("long") << kImageSize + 1;
    }
    void brokenResourceFailsCleanly()
    {
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString path = dir.filePath("image");
        if (size >= 0) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(size, '\x11'));
        }
        ImageBuffers buffers;
        const ImageBuffers before = buffers;
        QVERIFY(!readDefaultImage(buffers, path));
        QCOMPARE(buffers.DataBuf, before.DataBuf);
        QCOMPARE(buffers.MacroNameTable, before.MacroNameTable);
        QCOMPARE(buffers.MacroBlocks, before.MacroBlocks);
    }

    void unknownLayoutByteLeavesLayoutUnknown()
    {
        // An image whose layout byte is neither 29 nor 58 takes only the
        // sections that never move and does not crash.
        Configuration config;
        startWithEnglish(config);
        config.state().ImageLayoutCode = 0;
        config.sections().ReservedBlock.fill('\x33');
        config.image().DataBuf[1] = 0x10;
        config.DataBufToUI();
        QCOMPARE(config.sections().ReservedBlock, QByteArray(51, '\x33'));
        QCOMPARE(config.ProfileCodeStrings()[0][0], QStringLiteral("01010000"));
    }
};

QTEST_GUILESS_MAIN(TestDefaultImage)
#include "test_default_image.moc"
