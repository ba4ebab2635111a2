#include "device/page_mouse_system_settings.h"
#include "fake_mouse_settings_store.h"
#include "settings/mouse_settings_page_model.h"
#include "ui/language.h"

#include <QTest>

namespace {

// A store as a desktop with every value present would hold it.
void fillUsual(FakeMouseSettingsStore &store)
{
    store.mouse = {{"MouseSensitivity", "10"},
                   {"MouseSpeed", "1"},
                   {"MouseThreshold1", "6"},
                   {"MouseThreshold2", "10"},
                   {"DoubleClickSpeed", "500"}};
    store.desktop = {{"WheelScrollLines", "3"}};
}

QList<int> litSegments(const MouseSettingsPageModel &page, MouseSetting setting)
{
    QList<int> lit;
    for (int s = 1; s <= MouseSettingsPageModel::kStepCount; ++s)
        if (page.segmentLit(setting, s))
            lit << s;
    return lit;
}

} // namespace

class TestMouseSettingsPageModel : public QObject
{
    Q_OBJECT

private slots:
    void readingFillsStepsAndValues()
    {
        FakeMouseSettingsStore store;
        fillUsual(store);
        MouseSettingsPageModel page(&store);
        page.refreshFromSystem();
        QCOMPARE(page.PointerSpeedStep(), 6);
        QCOMPARE(litSegments(page, MouseSetting::PointerSpeed), (QList<int>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(page.DoubleClickStep(), 0); // 500 is no step
        QCOMPARE(page.DoubleClickSpeedValue(), 500);
        QCOMPARE(page.WheelLinesStep(), 3);
        QCOMPARE(page.MouseThreshold2Value(), 10);

        // A later value outside the table keeps the step it had.
        store.mouse["MouseSensitivity"] = "11";
        page.refreshFromSystem();
        QCOMPARE(page.PointerSpeedStep(), 6);
        QCOMPARE(page.MouseSensitivityValue(), 11);
    }

    void offTableValueIsAppliedBackUnchanged()
    {
        FakeMouseSettingsStore store;
        fillUsual(store);
        store.mouse["MouseSensitivity"] = "11";
        store.desktop["WheelScrollLines"] = "-1";
        MouseSettingsPageModel page(&store);
        page.refreshFromSystem();
        QCOMPARE(page.PointerSpeedStep(), 0);
        QVERIFY(litSegments(page, MouseSetting::PointerSpeed).isEmpty());
        QCOMPARE(page.WheelLinesStep(), 0);

        page.storeAndApply();
        QCOMPARE(store.log, (QStringList{"speed 11", "accel 6 10 1", "doubleclick 500", "wheel -1",
                                         "finish"}));
        QCOMPARE(store.mouse["MouseSensitivity"], QString("11"));
    }

    void clickedStepsAreStoredAndApplied()
    {
        FakeMouseSettingsStore store;
        fillUsual(store);
        MouseSettingsPageModel page(&store);
        page.refreshFromSystem();
        QVERIFY(page.MseSpd_OnClick(3));
        QVERIFY(page.MseDbSpd_OnClick(10));
        QVERIFY(page.MseScrSpd_OnClick(7));
        QVERIFY(!page.MseScrSpd_OnClick(11));
        QVERIFY(!page.MseSpd_OnClick(0));
        QCOMPARE(page.WheelLinesStep(), 7);

        int ownDoubleClick = 0;
        int ownWheel = 0;
        page.ApplyToProgram = [&](const ProgramMouseSettings &own) {
            ownDoubleClick = own.doubleClickMs;
            ownWheel = own.wheelScrollLines;
        };
        page.storeAndApply();
        QCOMPARE(store.log, (QStringList{"write MouseSensitivity=4", "write DoubleClickSpeed=270",
                                         "write WheelScrollLines=7", "speed 4", "accel 6 10 1",
                                         "doubleclick 270", "wheel 7", "finish"}));
        QCOMPARE(ownDoubleClick, 270);
        QCOMPARE(ownWheel, 7);
    }

    void missingAndBrokenValuesAreSkipped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("words") << "fast";
        QTest::newRow("hex") << "0x10";
        QTest::newRow("fraction") << "4.5";
        QTest::newRow("too big") << "99999999999";
        QTest::newRow("empty") << "";
    }
    void missingAndBrokenValuesAreSkipped()
    {
        QFETCH(QString, text);
        FakeMouseSettingsStore store;
        fillUsual(store);
        MouseSettingsPageModel page(&store);
        page.refreshFromSystem();
        store.mouse["MouseSensitivity"] = text;
        store.mouse.remove("MouseSpeed");
        page.refreshFromSystem();
        QCOMPARE(page.MouseSensitivityValue(), 10); // kept from before
        QCOMPARE(page.PointerSpeedStep(), 6);

        // Never read at all: nothing is applied for it, rather than a 0.
        FakeMouseSettingsStore bare;
        bare.mouse = {{"MouseSensitivity", text}};
        bare.missingGroups = {MouseSettingsStore::Group::Desktop};
        MouseSettingsPageModel fresh(&bare);
        fresh.refreshFromSystem();
        fresh.MseScrSpd_OnClick(5); // the desktop group cannot be opened
        fresh.storeAndApply();
        QCOMPARE(bare.log, QStringList{"finish"});
    }

    void withoutStoreNothingHappens()
    {
        MouseSettingsPageModel page;
        page.MseSpd_OnClick(2);
        page.storeAndApply();
        page.refreshFromSystem();
        QCOMPARE(page.PointerSpeedStep(), 2);
        QVERIFY(page.storeDescription(languageLookup(1)).isEmpty());
    }

    void transfersReachThePage()
    {
        FakeMouseSettingsStore store;
        fillUsual(store);
        MouseSettingsPageModel page(&store);
        PageMouseSystemSettings system(page);
        MouseSystemSettings &link = system;
        link.refreshFromSystem();
        QCOMPARE(page.PointerSpeedStep(), 6);
        link.storeAndApply();
        QCOMPARE(store.log.first(), QString("write MouseSensitivity=10"));
    }

    void descriptionNamesStoreAndGaps()
    {
        FakeMouseSettingsStore store;
        MouseSettingsPageModel page(&store);
        QCOMPARE(page.storeDescription(languageLookup(1)),
                 QString("Desktop mouse settings: GNOME (GSettings); all three are applied."));
        store.storeKind = MouseSettingsStore::Kind::X11;
        store.notApplied = {MouseSetting::DoubleClick, MouseSetting::WheelLines};
        QCOMPARE(page.storeDescription(languageLookup(1)),
                 QString("Desktop mouse settings: X11 pointer settings; not applied to the "
                         "desktop: double-click speed, wheel scroll lines."));
        QCOMPARE(page.storeDescription(languageLookup(3)),
                 QString("桌面鼠标设置：X11 指针设置；无法应用到桌面：双击速度、滚轮滚动行数。"));
    }
};

QTEST_GUILESS_MAIN(TestMouseSettingsPageModel)
#include "test_mouse_settings_page_model.moc"
