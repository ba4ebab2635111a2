#include "fake_mouse_settings_store.h"
#include "settings/mouse_settings_page_model.h"
#include "ui/language.h"

#include <QTest>

namespace {

// A store as a desktop with every value present would hold it.
void fillUsual(FakeMouseSettingsStore &store)
{
    store.values = {{"MouseSensitivity", "10"},  {"MouseSpeed", "1"},
                    {"MouseThreshold1", "6"},    {"MouseThreshold2", "10"},
                    {"DoubleClickSpeed", "500"}, {"WheelScrollLines", "3"}};
}

} // namespace

class TestMouseSettingsPageModel : public QObject
{
    Q_OBJECT

private slots:
    void readingFillsStepsAndOffTableValuesGoBackUnchanged()
    {
        FakeMouseSettingsStore store;
        fillUsual(store);
        MouseSettingsPageModel page(&store);
        page.refreshFromSystem();
        QCOMPARE(page.PointerSpeedStep(), 6);
        QCOMPARE(page.DoubleClickStep(), 0); // 500 is no step
        QCOMPARE(page.WheelLinesStep(), 3);
        // A later value outside the table keeps the step it had.
        store.values["MouseSensitivity"] = "11";
        page.refreshFromSystem();
        QCOMPARE(page.PointerSpeedStep(), 6);

        store.values["WheelScrollLines"] = "-1";
        MouseSettingsPageModel fresh(&store);
        fresh.refreshFromSystem();
        QCOMPARE(fresh.PointerSpeedStep(), 0);
        QVERIFY(!fresh.segmentLit(MouseSetting::PointerSpeed, 1));
        fresh.storeAndApply();
        QCOMPARE(store.log, (QStringList{"speed 11", "accel 6 10 1", "doubleclick 500", "wheel -1",
                                         "finish"}));
    }

    void clickedStepsAreStoredAndApplied()
    {
        FakeMouseSettingsStore store;
        fillUsual(store);
        MouseSettingsPageModel page(&store);
        page.refreshFromSystem();
        QVERIFY(page.setPointerSpeed(3));
        QVERIFY(page.setDoubleClickSpeed(10));
        QVERIFY(page.setScrollSpeed(7));
        QVERIFY(!page.setScrollSpeed(11));

        ProgramMouseSettings own;
        page.ApplyToProgram = [&own](const ProgramMouseSettings &s) { own = s; };
        page.storeAndApply();
        QCOMPARE(store.log, (QStringList{"write MouseSensitivity=4", "write DoubleClickSpeed=270",
                                         "write WheelScrollLines=7", "speed 4", "accel 6 10 1",
                                         "doubleclick 270", "wheel 7", "finish"}));
        QCOMPARE(own.doubleClickMs, 270);
        QCOMPARE(own.wheelScrollLines, 7);

        // A refresh hands the program what the store holds now.
        store.values["WheelScrollLines"] = "-1";
        page.refreshFromSystem();
        QCOMPARE(own.wheelScrollLines, -1);
    }

    void brokenValuesAreSkippedLikeMissingOnes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("words") << "fast";
        QTest::newRow("hex") << "0x10";
        QTest::newRow("too big") << "99999999999";
    }
    void brokenValuesAreSkippedLikeMissingOnes()
    {
        QFETCH(QString, text);
        FakeMouseSettingsStore store;
        fillUsual(store);
        MouseSettingsPageModel page(&store);
        page.refreshFromSystem();
        store.values["MouseSensitivity"] = text;
        page.refreshFromSystem();
        QCOMPARE(page.MouseSensitivityValue(), 10); // kept from before

        // Never read at all: nothing is applied, rather than a 0, and a
        // group that does not open is not written.
        FakeMouseSettingsStore bare;
        bare.values = {{"MouseSensitivity", text}};
        bare.missingGroups = {MouseSettingsStore::Group::Desktop};
        MouseSettingsPageModel fresh(&bare);
        fresh.refreshFromSystem();
        fresh.setScrollSpeed(5);
        fresh.storeAndApply();
        QCOMPARE(bare.log, QStringList{"finish"});
    }

    void descriptionNamesStoreAndGaps()
    {
        FakeMouseSettingsStore store;
        MouseSettingsPageModel page(&store);
        QCOMPARE(page.storeDescription(languageLookup(1)),
                 QString("Desktop mouse settings: GNOME (GSettings); all three are applied."));
        store.storeKind = MouseSettingsStore::Kind::X11;
        store.notApplied = {MouseSetting::DoubleClick, MouseSetting::WheelLines};
        QCOMPARE(page.storeDescription(languageLookup(3)),
                 QString("桌面鼠标设置：X11 指针设置；无法应用到桌面：双击速度、滚轮滚动行数。"));
        // An X11 session whose pointers take no setting: the line names the
        // file that keeps them, not the X11 store.
        store.notApplied = {MouseSetting::PointerSpeed, MouseSetting::DoubleClick,
                            MouseSetting::WheelLines};
        QCOMPARE(page.storeDescription(languageLookup(1)),
                 QString("Desktop mouse settings: kept in this program's own settings file; "
                         "this desktop takes none of them."));
        QVERIFY(MouseSettingsPageModel().storeDescription(languageLookup(1)).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMouseSettingsPageModel)
#include "test_mouse_settings_page_model.moc"
