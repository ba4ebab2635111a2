#include "settings/advanced_page_model.h"
#include "settings/breathing_page_model.h"

#include "dpi_languages.h"

#include <QtTest>

namespace {

// English levels 1, 3, 6, 7 (800, 1200, 3200, 4800) selected, 3200 current.
AdvancedPageModel shippedDpi()
{
    SectionRecords records;
    const int slotValues[] = {3, 5, 9, 10};
    for (int k = 0; k < 4; ++k)
        records.ParameterA[10 + k] = char(slotValues[k]);
    records.ParameterB[0] = 2;
    AdvancedPageModel model;
    model.showDpi(records, dpiLanguage(1));
    return model;
}

QList<int> selected(const AdvancedPageModel &model)
{
    QList<int> levels;
    for (int level = 1; level <= AdvancedPageModel::kDpiLevelCount; ++level) {
        if (model.dpiLevelSelected(level))
            levels.append(level);
    }
    return levels;
}

} // namespace

// Whole selections reached through the page's own clicks and limits.
class TestPageSelections : public QObject
{
    Q_OBJECT
private slots:
    void dpiSetsAreReachedFromAnySelection_data()
    {
        QTest::addColumn<QList<int>>("levels");
        QTest::addColumn<int>("current");
        QTest::newRow("disjoint pair") << QList<int>{2, 8} << 2;
        QTest::newRow("disjoint four") << QList<int>{2, 4, 5, 8} << 2;
        QTest::newRow("keeps the current") << QList<int>{6, 8} << 6;
        QTest::newRow("unordered") << QList<int>{7, 1, 6} << 6;
        QTest::newRow("the same") << QList<int>{1, 3, 6, 7} << 6;
    }
    void dpiSetsAreReachedFromAnySelection()
    {
        QFETCH(QList<int>, levels);
        QFETCH(int, current);
        AdvancedPageModel model = shippedDpi();
        QVERIFY(model.selectDpiLevels(levels));
        QList<int> sorted = levels;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(selected(model), sorted);
        QCOMPARE(model.currentDpiLevel(), current);

        SectionRecords records;
        model.storeDpi(records);
        QCOMPARE(quint8(records.ParameterA[10 + sorted.size() - 1]),
                 quint8(QList<int>{0, 3, 4, 5, 6, 8, 9, 10, 11}.at(sorted.last())));
    }

    void dpiSetsThePageCannotHoldChangeNothing()
    {
        for (const QList<int> &levels : {QList<int>{3}, QList<int>{1, 2, 3, 4, 5}, QList<int>{1, 1},
                                         QList<int>{0, 2}, QList<int>{2, 9}}) {
            AdvancedPageModel model = shippedDpi();
            QVERIFY(!model.selectDpiLevels(levels));
            QCOMPARE(selected(model), (QList<int>{1, 3, 6, 7}));
            QCOMPARE(model.currentDpiLevel(), 6);
        }
    }

    void captionsNameTheirLevel()
    {
        AdvancedPageModel model;
        model.applyLanguage(dpiLanguage(1));
        QCOMPARE(model.dpiLevelOfCaption("1000"), 2);
        QCOMPARE(model.dpiLevelOfCaption("6400"), 8);
        QCOMPARE(model.dpiLevelOfCaption("900"), 0);
        QCOMPARE(model.dpiLevelOfCaption(""), 0);
        model.applyLanguage(dpiLanguage(3));
        QCOMPARE(model.dpiLevelOfCaption("600"), 1);
    }

    void fireModesAreReachedThroughClicks()
    {
        AdvancedPageModel model; // modes 1-3 at start
        QVERIFY(model.selectFireModes({4}));
        QCOMPARE(model.SelectedFireModeCount(), 1);
        QVERIFY(model.fireModeSelected(4));
        QVERIFY(model.selectFireModes({1, 2, 3}));
        QCOMPARE(model.fireModeCode(), (std::array<quint8, 4>{0x0F, 1, 2, 3}));
        QVERIFY(model.selectFireModes({3, 1}));
        QCOMPARE(model.fireModeCode(), (std::array<quint8, 4>{0x0F, 1, 3, 0}));
        for (const QList<int> &modes : {QList<int>{}, QList<int>{1, 2, 3, 4}, QList<int>{5}})
            QVERIFY(!model.selectFireModes(modes));
        QCOMPARE(model.fireModeCode(), (std::array<quint8, 4>{0x0F, 1, 3, 0}));
    }

    void repeatAndDelayValuesKeptAsTyped()
    {
        for (int value : {0, 2, 15})
            QVERIFY(AdvancedPageModel::repeatKeptAsTyped(value));
        for (int value : {-1, 1, 16, 99})
            QVERIFY(!AdvancedPageModel::repeatKeptAsTyped(value));
        for (int value : {0, 2, 2000})
            QVERIFY(AdvancedPageModel::delayKeptAsTyped(value));
        for (int value : {-5, 1, 2001, 9999})
            QVERIFY(!AdvancedPageModel::delayKeptAsTyped(value));
    }

    // Every percentage has a dialog colour that stores exactly it.
    void everyPercentageCanBeStored()
    {
        for (int percent = 0; percent <= 100; ++percent) {
            const int component = BreathingPageModel::componentStoringPercent(percent);
            QVERIFY(component >= 0 && component <= 255);
            QCOMPARE(BreathingPageModel::percentFromComponent(component), percent);
        }
        QCOMPARE(BreathingPageModel::componentStoringPercent(50), 128);
        QCOMPARE(BreathingPageModel::componentStoringPercent(150), 255);
    }
};

QTEST_APPLESS_MAIN(TestPageSelections)
#include "test_page_selections.moc"
