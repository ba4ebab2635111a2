#include "configuration/configuration.h"
#include "file_bytes.h"
#include "image/section_checks.h"
#include "image_test_support.h"
#include "ui/language.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A recognisable macro area, unlike the default one.
void fillMacros(ImageBuffers &image)
{
    for (QByteArray *area : {&image.MacroNameTable, &image.MacroBlocks})
        for (int i = 0; i < area->size(); ++i)
            (*area)[i] = char(i * 7 + 1);
}

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    void connected(Configuration &config, int layout, bool familyB)
    {
        startWithEnglish(config);
        connectMouse(config, layout, familyB);
    }

private slots:
    void familyBRoundTrip()
    {
        Configuration saved;
        connected(saved, 58, true);
        fillMacros(saved.image());
        QVERIFY(saved.advancedPage().toggleDpiLevel(1)); // drop 800
        saved.setCurrentPage(Configuration::Page::Switch);
        const QString base = m_dir.filePath("family-b");
        const ProfileFileResult result = saved.saveProfile(base);
        QVERIFY2(result.ok(), qPrintable(result.message({})));
        QCOMPARE(result.fileName, base + ".bin");
        QCOMPARE(readAll(result.fileName).size(), kImageSize);

        Configuration loaded;
        connected(loaded, 58, true);
        // Family B keeps ParameterB from its own area; give it what the
        // mouse would have sent.
        loaded.sections().ParameterB = saved.sections().ParameterB;
        CountingMacroNames macros;
        loaded.setMacroNameList(&macros);
        QVERIFY(loaded.loadProfile(result.fileName).ok());

        QCOMPARE(macros.refreshed, 1);
        QCOMPARE(loaded.image().MacroNameTable, saved.image().MacroNameTable);
        QCOMPARE(loaded.image().MacroBlocks, saved.image().MacroBlocks);
        QCOMPARE(loaded.sections().ParameterA, saved.sections().ParameterA);
        QCOMPARE(loaded.sections().FireKey, saved.sections().FireKey);
        QCOMPARE(loaded.sections().Profile, saved.sections().Profile);
        QCOMPARE(loaded.profileFunctions(), saved.profileFunctions());
        QCOMPARE(loaded.currentPage(), Configuration::Page::Switch);
        for (int level = 1; level <= 8; ++level)
            QCOMPARE(loaded.advancedPage().dpiLevelSelected(level),
                     saved.advancedPage().dpiLevelSelected(level));
        QCOMPARE(loaded.advancedPage().currentDpiLevel(), saved.advancedPage().currentDpiLevel());
    }

    void familyAAfterResetWritesDefaults()
    {
        // Edits on the pages, then Reset of a family-A layout-58 mouse: the
        // file holds the embedded block and an erased macro area.
        Configuration config;
        connected(config, 58, false);
        fillMacros(config.image());
        QVERIFY(config.advancedPage().toggleDpiLevel(1));
        config.setCurrentPage(Configuration::Page::Switch);
        QVERIFY(config.LoadDefaultCopy());
        config.image().DataBuf = config.defaultImage().DataBuf;
        config.DataBufToUI();

        const ProfileFileResult result = config.saveProfile(m_dir.filePath("work.bin"));
        QVERIFY(result.ok());
        QCOMPARE(result.fileName, m_dir.filePath("work.bin")); // ".bin" only where missing
        const QByteArray file = readAll(result.fileName);
        QCOMPARE(file.size(), kImageSize);
        QCOMPARE(hex(file.left(255)), hex(config.defaultImage().DataBuf.left(255)));
        QCOMPARE(file.mid(256), QByteArray(kImageSize - 256, char(0xFF)));
        // The working macro buffers are erased as well.
        QCOMPARE(config.image().MacroBlocks, QByteArray(kMacroBlocksSize, char(0xFF)));
    }

    void unwritableTargetLeavesNoFile_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("below a regular file") << "plain-file/profile";
        QTest::newRow("missing folder") << "no-such-folder/profile";
    }
    void unwritableTargetLeavesNoFile()
    {
        QFETCH(QString, chosen);
        QVERIFY(writeAll(m_dir.filePath("plain-file"), "x"));
        Configuration config;
        connected(config, 58, false);
        fillMacros(config.image());
        const QByteArray blocks = config.image().MacroBlocks;

        const ProfileFileResult result = config.saveProfile(m_dir.filePath(chosen));
        QCOMPARE(result.status, ProfileFileResult::Status::OpenFailed);
        QCOMPARE(result.messageKey(), QStringLiteral("Str025"));
        const QString expected =
            QStringLiteral("Cannot open the file \"%1\".").arg(result.fileName);
        QCOMPARE(result.message(languageLookup(1)), expected);
        QCOMPARE(result.message({}), expected); // without a language text
        QCOMPARE(result.fileName, m_dir.filePath(chosen) + ".bin");
        QVERIFY(!QFile::exists(result.fileName));
        QCOMPARE(config.image().MacroBlocks, blocks);
    }

    void loadFillsOnlyWhatTheFileReaches_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("half a block") << 100;
        QTest::newRow("parameter block only") << 256;
        QTest::newRow("into the blocks") << 1280 + 1500;
        QTest::newRow("oversized") << kImageSize + 5000;
    }
    void loadFillsOnlyWhatTheFileReaches()
    {
        QFETCH(int, size);
        Configuration config;
        connected(config, 58, true);
        fillMacros(config.image());
        const ImageBuffers before = config.image();

        QByteArray file(size, '\0');
        for (int i = 0; i < size; ++i)
            file[i] = char(0xA0 ^ (i & 0x3F));
        const QString path = m_dir.filePath(QStringLiteral("load-%1").arg(size));
        QVERIFY(writeAll(path, file));
        QVERIFY(config.loadProfile(path).ok());

        const QByteArray whole = before.DataBuf + before.MacroNameTable + before.MacroBlocks;
        const QByteArray expected = file.left(kImageSize) + whole.mid(qMin(size, kImageSize));
        QCOMPARE(config.image().DataBuf, expected.left(256));
        QCOMPARE(config.image().MacroNameTable, expected.mid(256, kMacroNameTableSize));
        QCOMPARE(config.image().MacroBlocks, expected.mid(1280));
    }

    void unreadableFileChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "missing.bin";
        QTest::newRow("folder") << ".";
    }
    void unreadableFileChangesNothing()
    {
        QFETCH(QString, name);
        Configuration config;
        connected(config, 58, true);
        const QByteArray profileBefore = config.sections().Profile;
        const QByteArray dataBefore = config.image().DataBuf;
        const ProfileFileResult result = config.loadProfile(m_dir.filePath(name));
        QCOMPARE(result.status, ProfileFileResult::Status::OpenFailed);
        QCOMPARE(config.image().DataBuf, dataBefore);
        QCOMPARE(config.sections().Profile, profileBefore);

        // Without a mouse neither action runs.
        config.state().DataHandle = kInvalidHandle;
        QCOMPARE(config.loadProfile(m_dir.filePath(name)).messageKey(), QStringLiteral("Str022"));
        QCOMPARE(config.saveProfile(m_dir.filePath("x")).status,
                 ProfileFileResult::Status::NoDevice);
        QVERIFY(!QFile::exists(m_dir.filePath("x.bin")));
    }

    void loadKeepsTheMouseReportRate()
    {
        // The mouse runs at 500 Hz (the default image); the file asks for
        // 1000 Hz. After the load the page shows 1000 Hz and the next
        // assembly must still see the change, so Apply switches the mouse.
        Configuration config;
        connected(config, 58, false);
        QCOMPARE(config.state().CurrentReportRate, 500);
        QByteArray file = readAll(config.saveProfile(m_dir.filePath("fast")).fileName);
        QCOMPARE(int(file[28]), 2);
        file[28] = 1;
        QByteArray parameterB = file.mid(27, 5);
        SectionChecksum(parameterB, 4);
        file.replace(27, 5, parameterB);
        const QString name = m_dir.filePath("fast.bin");
        QVERIFY(writeAll(name, file));

        QVERIFY(config.loadProfile(name).ok());
        QCOMPARE(config.sections().ParameterB.at(1), char(1));
        QCOMPARE(config.state().CurrentReportRate, 500);
        config.AssembleDataBuf();
        QVERIFY(config.state().ReportRateChanged);
        QCOMPARE(config.state().CurrentReportRate, 1000);
    }

    void brokenSectionsAreRepairedOnLoad()
    {
        // A file with broken FireKey and ParameterB checksums, a layout-58
        // family-A mouse: the built-in defaults come back.
        Configuration config;
        connected(config, 58, false);
        const ProfileFileResult saved = config.saveProfile(m_dir.filePath("broken"));
        QVERIFY(saved.ok());
        QByteArray file = readAll(saved.fileName);
        file[93 + 3] = 0x77;                   // fire key 1 delay
        file[27 + 4] = char(file[27 + 4] ^ 1); // ParameterB checksum
        QVERIFY(writeAll(saved.fileName, file));

        QVERIFY(config.loadProfile(saved.fileName).ok());
        QCOMPARE(config.sections().FireKey, repairFireKey());
        QCOMPARE(config.sections().ParameterA, repairParameterA(58));
        QCOMPARE(config.sections().ParameterB, repairParameterB());
        QCOMPARE(config.advancedPage().fireKeyDelay(1), 16);
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "test_profile_file.moc"
