#include "settings/advanced_page_model.h"

#include "dpi_languages.h"

#include <QtTest>

namespace {

SectionRecords recordsWithDpi(std::array<int, 4> slotValues, int position)
{
    SectionRecords records;
    for (int k = 0; k < 4; ++k)
        records.ParameterA[10 + k] = char(slotValues[k]);
    records.ParameterB[0] = char(position);
    return records;
}

QList<int> selectedLevels(const AdvancedPageModel &model)
{
    QList<int> levels;
    for (int level = 1; level <= 8; ++level) {
        if (model.dpiLevelSelected(level))
            levels.append(level);
    }
    return levels;
}

QList<int> storedSlots(const SectionRecords &records)
{
    QList<int> slotValues;
    for (int k = 0; k < 4; ++k)
        slotValues.append(quint8(records.ParameterA[10 + k]));
    return slotValues;
}

QByteArray profileWithCodes(const QList<QPair<int, QByteArray>> &codes)
{
    QByteArray profile(SectionRecords::kProfileLength, '\0');
    for (const auto &[button, code] : codes)
        profile.replace(4 * button, 4, code);
    return profile;
}

} // namespace

class TestAdvancedPageModel : public QObject
{
    Q_OBJECT
private slots:
    void dpiFromImage_data();
    void dpiFromImage();
    void defaultImageRoundTrip();
    void dpiClickLimits();
    void unselectingCurrentMovesToLowest();
    void storeSelectedLevels();
    void captionToSlotAcrossLanguages_data();
    void captionToSlotAcrossLanguages();
    void captionMissingFromTableKeepsSlot();
    void reportRate_data();
    void reportRate();
    void fireKeyLimits_data();
    void fireKeyLimits();
    void uncommittedTextIsClampedWhenStored();
    void fireKeysFromImage();
    void fireModeClickLimits();
    void fireModesFromProfile();
    void fireModeCode_data();
    void fireModeCode();
    void shortRecordsAreHarmless();
};

void TestAdvancedPageModel::dpiFromImage_data()
{
    QTest::addColumn<QList<int>>("slotValues");
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("current");

    QTest::newRow("default image") << QList<int>{3, 5, 9, 10} << 2 << QList<int>{1, 3, 6, 7} << 6;
    QTest::newRow("empty English entries") << QList<int>{0, 1, 2, 7} << 0 << QList<int>{} << 0;
    QTest::newRow("out-of-table values") << QList<int>{12, 100, 254, 255} << 0 << QList<int>{} << 0;
    QTest::newRow("two levels, last current")
        << QList<int>{11, 4, 255, 255} << 1 << QList<int>{2, 8} << 8;
    // Open point: a position within 0-3 past the selected levels makes the
    // lowest selected level current.
    QTest::newRow("position past the list")
        << QList<int>{4, 11, 255, 255} << 3 << QList<int>{2, 8} << 2;
}

void TestAdvancedPageModel::dpiFromImage()
{
    QFETCH(QList<int>, slotValues);
    QFETCH(int, position);
    QFETCH(QList<int>, selected);
    QFETCH(int, current);

    AdvancedPageModel model;
    model.showDpi(
        recordsWithDpi({slotValues[0], slotValues[1], slotValues[2], slotValues[3]}, position),
        dpiLanguage(1));
    QCOMPARE(selectedLevels(model), selected);
    QCOMPARE(model.SelectedDpiCount(), selected.size());
    QCOMPARE(model.currentDpiLevel(), current);
    for (int level = 1; level <= 8; ++level) {
        QCOMPARE(model.dpiMarkerEnabled(level), selected.contains(level));
        QCOMPARE(model.dpiMarkerLit(level), level == current);
    }
}

void TestAdvancedPageModel::defaultImageRoundTrip()
{
    AdvancedPageModel model;
    const SectionRecords original = recordsWithDpi({3, 5, 9, 10}, 2);
    model.showDpi(original, dpiLanguage(1));

    SectionRecords stored = recordsWithDpi({0, 0, 0, 0}, 0);
    model.storeDpi(stored);
    QCOMPARE(stored.ParameterA, original.ParameterA);
    QCOMPARE(stored.ParameterB, original.ParameterB);

    // A position of 4 or more keeps the current level.
    model.setCurrentDpi(3);
    model.showDpi(recordsWithDpi({3, 5, 9, 10}, 4), dpiLanguage(1));
    QCOMPARE(model.currentDpiLevel(), 3);
}

void TestAdvancedPageModel::dpiClickLimits()
{
    AdvancedPageModel model;
    model.showDpi(recordsWithDpi({3, 5, 9, 10}, 0), dpiLanguage(1)); // levels 1, 3, 6, 7
    QVERIFY(!model.toggleDpiLevel(2));                               // a fifth level
    QCOMPARE(model.SelectedDpiCount(), 4);

    QVERIFY(model.toggleDpiLevel(7));
    QVERIFY(model.toggleDpiLevel(6));
    QCOMPARE(model.SelectedDpiCount(), 2);
    QVERIFY(!model.toggleDpiLevel(3)); // one of the last two
    QVERIFY(!model.toggleDpiLevel(1));
    QCOMPARE(selectedLevels(model), (QList<int>{1, 3}));

    QVERIFY(!model.setCurrentDpi(6)); // disabled marker
    QVERIFY(model.setCurrentDpi(3));
    QCOMPARE(model.currentDpiLevel(), 3);
    QVERIFY(!model.toggleDpiLevel(0));
    QVERIFY(!model.toggleDpiLevel(9));

    // An image can leave a single level; the page still keeps it.
    model.showDpi(recordsWithDpi({4, 0, 0, 0}, 0), dpiLanguage(1));
    QCOMPARE(model.SelectedDpiCount(), 1);
    QVERIFY(!model.toggleDpiLevel(2));
    QCOMPARE(model.currentDpiLevel(), 2);
}

void TestAdvancedPageModel::unselectingCurrentMovesToLowest()
{
    AdvancedPageModel model;
    model.showDpi(recordsWithDpi({3, 5, 9, 10}, 2), dpiLanguage(1)); // current 6
    QVERIFY(model.toggleDpiLevel(3));
    QCOMPARE(model.currentDpiLevel(), 6); // a non-current level goes quietly
    QVERIFY(model.toggleDpiLevel(6));
    QCOMPARE(model.currentDpiLevel(), 1);
    QVERIFY(model.dpiMarkerLit(1));
    QVERIFY(!model.dpiMarkerLit(6));
}

void TestAdvancedPageModel::storeSelectedLevels()
{
    AdvancedPageModel model;
    model.showDpi(recordsWithDpi({3, 5, 9, 10}, 2), dpiLanguage(1)); // 1, 3, 6, 7
    for (int level : {1, 2, 3, 6, 8, 7})
        QVERIFY(model.toggleDpiLevel(level));
    QCOMPARE(selectedLevels(model), (QList<int>{2, 8})); // 1000 and 6400

    SectionRecords records = recordsWithDpi({3, 5, 9, 10}, 2);
    model.storeDpi(records);
    QCOMPARE(storedSlots(records), (QList<int>{4, 11, 255, 255}));
    QCOMPARE(int(records.ParameterB[0]), 0); // level 2, the lowest, became current
}

void TestAdvancedPageModel::captionToSlotAcrossLanguages_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QList<int>>("levels");
    QTest::addColumn<QList<int>>("slotValues");

    QTest::newRow("first, levels 1 and 3") << 1 << QList<int>{1, 3} << QList<int>{3, 5, 255, 255};
    QTest::newRow("second, levels 1 and 3") << 2 << QList<int>{1, 3} << QList<int>{3, 5, 255, 255};
    QTest::newRow("third, levels 1 and 3") << 3 << QList<int>{1, 3} << QList<int>{2, 4, 255, 255};
    QTest::newRow("first, levels 1 5 7 8")
        << 1 << QList<int>{1, 5, 7, 8} << QList<int>{3, 8, 10, 11};
    QTest::newRow("third, levels 1 5 7 8")
        << 3 << QList<int>{1, 5, 7, 8} << QList<int>{2, 6, 9, 10};
}

void TestAdvancedPageModel::captionToSlotAcrossLanguages()
{
    QFETCH(int, language);
    QFETCH(QList<int>, levels);
    QFETCH(QList<int>, slotValues);

    // Mark the levels in the first language, then switch and store.
    AdvancedPageModel model;
    std::array<int, 4> firstSlots{255, 255, 255, 255};
    const QList<int> firstTableIndex = {3, 4, 5, 6, 8, 9, 10, 11};
    for (int i = 0; i < levels.size(); ++i)
        firstSlots[i] = firstTableIndex[levels[i] - 1];
    model.showDpi(recordsWithDpi(firstSlots, 1), dpiLanguage(1));
    QCOMPARE(selectedLevels(model), levels);
    const int current = model.currentDpiLevel();

    model.applyLanguage(dpiLanguage(language));
    QCOMPARE(selectedLevels(model), levels);
    QCOMPARE(model.currentDpiLevel(), current);

    SectionRecords records;
    model.storeDpi(records);
    QCOMPARE(storedSlots(records), slotValues);
    QCOMPARE(int(records.ParameterB[0]), 1);

    // And the stored slotValues read back as the same levels in that language.
    AdvancedPageModel reader;
    reader.showDpi(records, dpiLanguage(language));
    QCOMPARE(selectedLevels(reader), levels);
}

void TestAdvancedPageModel::captionMissingFromTableKeepsSlot()
{
    AdvancedPageModel model;
    model.showDpi(recordsWithDpi({3, 5, 255, 255}, 0), dpiLanguage(1));
    // A language whose table lacks "800" (and has an empty caption for 1200).
    const TextLookup odd = [](const QString &key) {
        if (key == "Str300")
            return QStringLiteral("800");
        if (key == "Str324")
            return QStringLiteral("1000");
        return QString();
    };
    model.applyLanguage(odd);
    SectionRecords records = recordsWithDpi({7, 8, 9, 10}, 3);
    model.storeDpi(records);
    QCOMPARE(storedSlots(records), (QList<int>{7, 8, 255, 255}));
}

void TestAdvancedPageModel::reportRate_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("shownRate"); // CurrentReportRate after showing
    QTest::addColumn<int>("click");     // 0 = none
    QTest::addColumn<int>("written");
    QTest::addColumn<bool>("changed");

    QTest::newRow("1000 kept") << 1 << 0 << 1000 << 0 << 1 << false;
    QTest::newRow("500 kept") << 2 << 0 << 500 << 0 << 2 << false;
    QTest::newRow("500 to 1000") << 2 << 0 << 500 << 1 << 1 << true;
    QTest::newRow("1000 to 500") << 1 << 500 << 1000 << 2 << 2 << true;
    QTest::newRow("bad value leaves rate") << 7 << 1000 << 1000 << 0 << 7 << false;
}

void TestAdvancedPageModel::reportRate()
{
    QFETCH(int, stored);
    QFETCH(int, before);
    QFETCH(int, shownRate);
    QFETCH(int, click);
    QFETCH(int, written);
    QFETCH(bool, changed);

    AppState state;
    state.CurrentReportRate = before;
    SectionRecords records;
    records.ParameterB[1] = char(stored);
    AdvancedPageModel model;
    model.showReportRate(records, state);
    QCOMPARE(state.CurrentReportRate, shownRate);
    if (click)
        QVERIFY(model.setReportRate(click));

    model.storeReportRate(records, state);
    QCOMPARE(int(records.ParameterB[1]), written);
    QCOMPARE(state.ReportRateChanged, changed);
}

void TestAdvancedPageModel::fireKeyLimits_data()
{
    QTest::addColumn<QString>("repeat");
    QTest::addColumn<QString>("delay");
    QTest::addColumn<QString>("repeatShown");
    QTest::addColumn<QString>("delayShown");
    QTest::addColumn<QByteArray>("code"); // with byte 2's high bits 0x30

    QTest::newRow("limits") << "1"
                            << "2001"
                            << "2"
                            << "2000" << QByteArray("\x06\x12\x37\xD0", 4);
    QTest::newRow("zero") << "0"
                          << "0"
                          << "0"
                          << "0" << QByteArray("\x06\x10\x30\x00", 4);
    QTest::newRow("empty") << ""
                           << ""
                           << "2"
                           << "2" << QByteArray("\x06\x12\x30\x02", 4);
    QTest::newRow("above") << "16"
                           << "9999"
                           << "15"
                           << "2000" << QByteArray("\x06\x1F\x37\xD0", 4);
    QTest::newRow("leading zero one") << "01"
                                      << "0001"
                                      << "2"
                                      << "2" << QByteArray("\x06\x12\x30\x02", 4);
    QTest::newRow("in range") << "07"
                              << "300"
                              << "07"
                              << "300" << QByteArray("\x06\x17\x31\x2C", 4);
    QTest::newRow("typed junk") << "4x"
                                << "1a2b3c"
                                << "4"
                                << "123" << QByteArray("\x06\x14\x30\x7B", 4);
}

void TestAdvancedPageModel::fireKeyLimits()
{
    QFETCH(QString, repeat);
    QFETCH(QString, delay);
    QFETCH(QString, repeatShown);
    QFETCH(QString, delayShown);
    QFETCH(QByteArray, code);

    AdvancedPageModel model;
    SectionRecords records;
    records.FireKey = QByteArray::fromHex("06120010 06120020 06123030 06120040 00");
    QVERIFY(model.setRepeatText(3, repeat));
    QVERIFY(model.setDelayText(3, delay));
    QVERIFY(model.commitRepeat(3));
    QVERIFY(model.commitDelay(3));
    QCOMPARE(model.repeatText(3), repeatShown);
    QCOMPARE(model.delayText(3), delayShown);

    model.FireKeyModeToDataBuf(records);
    QCOMPARE(records.FireKey.mid(8, 4), code);
    const FireKeyFields fields = model.fireKeyFields(3, records);
    QCOMPARE(fields.repeat, quint8(code[1]) & 0x0F);
    QCOMPARE(fields.delay, (quint8(code[2]) & 0x0F) * 256 + quint8(code[3]));
    QCOMPARE(int(fields.byte2HighNibble), 3);
}

void TestAdvancedPageModel::uncommittedTextIsClampedWhenStored()
{
    AdvancedPageModel model;
    SectionRecords records;
    model.setRepeatText(1, "16");
    model.setDelayText(2, "1");
    model.setDelayText(4, "4095");
    // Focus never left the boxes: the texts stand as typed...
    QCOMPARE(model.repeatText(1), QString("16"));
    QCOMPARE(model.delayText(4), QString("4095"));
    // ...but what is stored and what codes are built from is held to the limits.
    QCOMPARE(model.fireKeyRepeat(1), 15);
    QCOMPARE(model.fireKeyDelay(2), 2);
    QCOMPARE(model.fireKeyDelay(4), 2000);
    model.FireKeyModeToDataBuf(records);
    QCOMPARE(records.FireKey.left(16).toHex(), QByteArray("061f00020612000206120002061207d0"));

    model.commitFireKeyTexts();
    QCOMPARE(model.repeatText(1), QString("15"));
    QCOMPARE(model.delayText(4), QString("2000"));

    QVERIFY(AdvancedPageModel::Edt_Repeat1KeyPress('7'));
    QVERIFY(AdvancedPageModel::Edt_Repeat1KeyPress(QChar(0x08)));
    QVERIFY(!AdvancedPageModel::Edt_Repeat1KeyPress('-'));
    QVERIFY(!AdvancedPageModel::Edt_Repeat1KeyPress('a'));
}

void TestAdvancedPageModel::fireKeysFromImage()
{
    AdvancedPageModel model;
    SectionRecords records;
    records.FireKey = QByteArray::fromHex("06 12 00 10 06 1F A7 D0 06 11 0F FF 06 F0 00 00 5A");
    model.showFireKeys(records);
    // Shown as held, limits not applied yet.
    const QStringList repeats = {"2", "15", "1", "0"};
    const QStringList delays = {"16", "2000", "4095", "0"};
    for (int n = 1; n <= 4; ++n) {
        QCOMPARE(model.repeatText(n), repeats[n - 1]);
        QCOMPARE(model.delayText(n), delays[n - 1]);
    }
    QCOMPARE(int(model.fireKeyFields(2, records).byte2HighNibble), 0xA);
    QCOMPARE(model.repeatText(5), QString());
    QCOMPARE(model.fireKeyRepeat(0), 0);
    QVERIFY(!model.setRepeatText(5, "3"));
}

void TestAdvancedPageModel::fireModeClickLimits()
{
    AdvancedPageModel model; // modes 1-3 at start-up
    QCOMPARE(model.SelectedFireModeCount(), 3);
    QVERIFY(!model.toggleFireMode(4));
    QVERIFY(model.toggleFireMode(1));
    QVERIFY(model.toggleFireMode(2));
    QCOMPARE(model.SelectedFireModeCount(), 1);
    QVERIFY(!model.toggleFireMode(3)); // the only one left
    QVERIFY(model.fireModeSelected(3));
    QVERIFY(model.toggleFireMode(4));
    QVERIFY(!model.toggleFireMode(5));
    QVERIFY(!model.fireModeSelected(0));
}

void TestAdvancedPageModel::fireModesFromProfile()
{
    AdvancedPageModel model;
    // No Fire Mode button: the marks stay.
    model.RefreshFireKeyMode(profileWithCodes({{0, QByteArray("\x01\x01\x00\x00", 4)}}));
    QCOMPARE(model.SelectedFireModeCount(), 3);

    // The last Fire Mode button (profile 3 here) decides; bad numbers mark nothing.
    model.RefreshFireKeyMode(profileWithCodes(
        {{1, QByteArray("\x0F\x01\x02\x03", 4)}, {30, QByteArray("\x0F\x04\x09\x02", 4)}}));
    QVERIFY(model.fireModeSelected(2));
    QVERIFY(model.fireModeSelected(4));
    QVERIFY(!model.fireModeSelected(1));
    QCOMPARE(model.SelectedFireModeCount(), 2);

    // A Fire Mode code naming no mode leaves none selected, and a click can
    // select one again.
    model.RefreshFireKeyMode(profileWithCodes({{5, QByteArray("\x0F\x00\x00\x00", 4)}}));
    QCOMPARE(model.SelectedFireModeCount(), 0);
    QVERIFY(model.toggleFireMode(2));
    QCOMPARE(model.SelectedFireModeCount(), 1);
}

void TestAdvancedPageModel::fireModeCode_data()
{
    QTest::addColumn<QByteArray>("marks");
    QTest::addColumn<QByteArray>("code");
    QTest::newRow("1 and 3") << QByteArray("\x0F\x03\x01\x00", 4) << QByteArray("0f010300");
    QTest::newRow("2, 3, 4") << QByteArray("\x0F\x04\x02\x03", 4) << QByteArray("0f020304");
    QTest::newRow("repeated mode") << QByteArray("\x0F\x02\x02\x00", 4) << QByteArray("0f020000");
}

void TestAdvancedPageModel::fireModeCode()
{
    QFETCH(QByteArray, marks);
    QFETCH(QByteArray, code);
    AdvancedPageModel model;
    model.RefreshFireKeyMode(profileWithCodes({{0, marks}}));
    const auto bytes = model.fireModeCode();
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(bytes.data()), 4).toHex(), code);
}

void TestAdvancedPageModel::shortRecordsAreHarmless()
{
    AdvancedPageModel model;
    model.showDpi(recordsWithDpi({3, 5, 9, 10}, 2), dpiLanguage(1));
    SectionRecords records;
    records.ParameterA = QByteArray(11, '\x03');
    records.ParameterB.clear();
    records.FireKey = QByteArray(6, '\x06');
    records.Profile = QByteArray(3, '\x0F');
    AppState state;
    model.showDpi(records, dpiLanguage(1));
    model.showReportRate(records, state);
    model.showFireKeys(records);
    QCOMPARE(selectedLevels(model), (QList<int>{1})); // only slot 1 is present
    model.storeDpi(records);
    model.storeReportRate(records, state);
    model.FireKeyModeToDataBuf(records);
    QCOMPARE(records.ParameterA.size(), 11);
    QCOMPARE(records.ParameterB.size(), 0);
    QCOMPARE(records.FireKey.size(), 6);
    QCOMPARE(model.fireKeyFields(2, records).byte2HighNibble, quint8(0));
}

QTEST_GUILESS_MAIN(TestAdvancedPageModel)
#include "test_advanced_page_model.moc"
