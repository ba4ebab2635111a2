#include "settings/breathing_page_model.h"

#include <QtTest>

using Scale = BreathingPageModel::Scale;
using LightMode = BreathingPageModel::LightMode;
using LedColourMode = BreathingPageModel::LedColourMode;

Q_DECLARE_METATYPE(BreathingPageModel::Scale)
Q_DECLARE_METATYPE(BreathingPageModel::LightMode)

namespace {

SectionRecords breathingRecords(int options)
{
    SectionRecords records;
    records.ParameterA[9] = char(options);
    records.ParameterA.replace(18, 7, QByteArray::fromHex("A0280A323C0A07"));
    records.ParameterB[3] = 1;
    records.UserBreath = QByteArray::fromHex("0A141E77");
    return records;
}

} // namespace

class TestBreathingPageModel : public QObject
{
    Q_OBJECT
private slots:
    void bypassBit_data();
    void bypassBit();
    void readTableEdges_data();
    void readTableEdges();
    void writtenValuesReadBack();
    void unsetStepWritesNothing();
    void lightMode_data();
    void lightMode();
    void ledColourModeAndPicker();
    void colourConversion_data();
    void colourConversion();
    void chosenColourRoundTrip();
    void showAndStore();
};

void TestBreathingPageModel::bypassBit_data()
{
    QTest::addColumn<QByteArray>("parameterA");
    QTest::addColumn<bool>("bypassed");
    QTest::newRow("embedded default 0xE5") << QByteArray(9, '\0') + '\xE5' << true;
    QTest::newRow("bit 0 clear 0xE4") << QByteArray(9, '\0') + '\xE4' << false;
    QTest::newRow("only bit 0") << QByteArray(9, '\0') + '\x01' << true;
    QTest::newRow("record without byte 9") << QByteArray(9, '\0') << true;
}

void TestBreathingPageModel::bypassBit()
{
    QFETCH(QByteArray, parameterA);
    QFETCH(bool, bypassed);
    SectionRecords records;
    records.ParameterA = parameterA;
    QCOMPARE(BreathingPageModel::bypassed(records), bypassed);
}

void TestBreathingPageModel::readTableEdges_data()
{
    QTest::addColumn<Scale>("scale");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("step");

    for (Scale scale : {Scale::Off, Scale::On}) {
        const char *name = scale == Scale::Off ? "off" : "on";
        const QList<QPair<int, int>> rows = {{0, 1},    {24, 1},   {25, 2},  {49, 2},
                                             {50, 3},   {124, 5},  {199, 8}, {224, 9},
                                             {225, 10}, {254, 10}, {255, 10}};
        for (const auto &[value, step] : rows)
            QTest::addRow("%s %d", name, value) << scale << value << step;
    }
    for (Scale scale : {Scale::Raise, Scale::Fall}) {
        const char *name = scale == Scale::Raise ? "raise" : "fall";
        const QList<QPair<int, int>> rows = {{0, 1},  {3, 1},   {4, 2},    {6, 2},   {8, 3},
                                             {11, 4}, {13, 5},  {16, 6},   {18, 7},  {20, 8},
                                             {22, 9}, {23, 10}, {100, 10}, {255, 10}};
        for (const auto &[value, step] : rows)
            QTest::addRow("%s %d", name, value) << scale << value << step;
    }
}

void TestBreathingPageModel::readTableEdges()
{
    QFETCH(Scale, scale);
    QFETCH(int, value);
    QFETCH(int, step);
    QCOMPARE(BreathingPageModel::stepForValue(scale, value), step);

    // The same through the image: the scale lights exactly `step` segments.
    SectionRecords records = breathingRecords(0x00);
    records.ParameterA[18 + int(scale)] = char(value);
    BreathingPageModel model;
    model.show(records);
    QCOMPARE(model.step(scale), step);
    QVERIFY(model.segmentLit(scale, step));
    QVERIFY(!model.segmentLit(scale, step + 1));
}

void TestBreathingPageModel::writtenValuesReadBack()
{
    for (Scale scale : {Scale::Off, Scale::Raise, Scale::On, Scale::Fall}) {
        int previous = -1;
        for (int step = 1; step <= 10; ++step) {
            const int written = BreathingPageModel::writtenValue(scale, step);
            QVERIFY(written > previous);
            QCOMPARE(BreathingPageModel::stepForValue(scale, written), step);
            previous = written;
        }
        QCOMPARE(BreathingPageModel::writtenValue(scale, 0), -1);
        QCOMPARE(BreathingPageModel::writtenValue(scale, 11), -1);
    }
}

void TestBreathingPageModel::unsetStepWritesNothing()
{
    BreathingPageModel model;
    QCOMPARE(model.step(Scale::Off), 0);
    QVERIFY(!model.segmentLit(Scale::Off, 1));
    QVERIFY(model.setRaiseTime(4));
    QVERIFY(!model.setFallTime(0));
    QVERIFY(!model.setOnTime(11));

    SectionRecords records = breathingRecords(0x00);
    model.store(records);
    QCOMPARE(records.ParameterA.mid(18, 4).toHex(), QByteArray("a0090a32"));
}

void TestBreathingPageModel::lightMode_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<LightMode>("shown");
    QTest::addColumn<int>("written");
    QTest::newRow("random") << 0 << LightMode::Random << 0;
    QTest::newRow("colorful") << 1 << LightMode::Colorful << 1;
    QTest::newRow("custom") << 2 << LightMode::Custom << 2;
    QTest::newRow("3 as in the default image") << 3 << LightMode::Random << 0;
    QTest::newRow("255") << 255 << LightMode::Random << 0;
}

void TestBreathingPageModel::lightMode()
{
    QFETCH(int, stored);
    QFETCH(LightMode, shown);
    QFETCH(int, written);
    SectionRecords records = breathingRecords(0x00);
    records.ParameterB[3] = char(stored);
    BreathingPageModel model;
    model.setLightMode(LightMode::Custom);
    model.show(records);
    QCOMPARE(model.lightMode(), shown);
    model.store(records);
    QCOMPARE(int(quint8(records.ParameterB[3])), written);
}

void TestBreathingPageModel::ledColourModeAndPicker()
{
    BreathingPageModel model;
    SectionRecords records = breathingRecords(0xE4); // bit 4 clear: mode 2
    model.show(records);
    QCOMPARE(model.ledColourMode(), LedColourMode::Mode2);
    QVERIFY(!model.colour1PickerEnabled());
    QVERIFY(!model.lbl_csmode1Click({255, 255, 255}));
    QCOMPARE(model.colour1(), (RgbPercent{60, 10, 7}));

    // Coming back from another page enables the picker whatever the mode.
    model.UnlockPageEdit();
    QVERIFY(model.colour1PickerEnabled());
    model.LockPageEdit();
    QVERIFY(!model.colour1PickerEnabled());
    model.LEDColModeChange(LedColourMode::Mode1);
    QVERIFY(model.colour1PickerEnabled());

    model.store(records);
    QCOMPARE(int(quint8(records.ParameterA[9])), 0xF4); // only bit 4 changes
    model.LEDColModeChange(LedColourMode::Mode2);
    records.ParameterA[9] = char(0xFE);
    model.store(records);
    QCOMPARE(int(quint8(records.ParameterA[9])), 0xEE);
}

void TestBreathingPageModel::colourConversion_data()
{
    QTest::addColumn<int>("component");
    QTest::addColumn<int>("percent");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("2") << 2 << 0;
    QTest::newRow("3") << 3 << 1;
    QTest::newRow("128") << 128 << 50;
    QTest::newRow("254") << 254 << 99;
    QTest::newRow("255") << 255 << 100;
    QTest::newRow("below range") << -5 << 0;
    QTest::newRow("above range") << 300 << 100;
}

void TestBreathingPageModel::colourConversion()
{
    QFETCH(int, component);
    QFETCH(int, percent);
    QCOMPARE(BreathingPageModel::percentFromComponent(component), percent);
    // Drawing a stored percentage never leaves 0-255.
    const int drawn = BreathingPageModel::componentFromPercent(percent);
    QVERIFY(drawn >= 0 && drawn <= 255);
}

void TestBreathingPageModel::chosenColourRoundTrip()
{
    BreathingPageModel model;
    QVERIFY(model.lbl_csmode1Click({255, 128, 0}));
    QCOMPARE(model.colour1Swatch(), (Rgb{255, 128, 0})); // the chosen colour exactly
    QCOMPARE(model.colour1(), (RgbPercent{100, 50, 0}));

    SectionRecords records = breathingRecords(0x10);
    model.store(records);
    QCOMPARE(records.ParameterA.mid(22, 3).toHex(), QByteArray("643200"));

    BreathingPageModel reader;
    reader.show(records);
    QCOMPARE(reader.colour1Swatch(), (Rgb{255, 127, 0}));

    // Percentages above 100 are kept as stored but drawn at full strength.
    records.ParameterA[22] = char(200);
    records.UserBreath[1] = char(150);
    reader.show(records);
    QCOMPARE(reader.colour1().red, 200);
    QCOMPARE(reader.colour1Swatch().red, 255);
    QCOMPARE(reader.colour2Swatch().green, 255);
}

void TestBreathingPageModel::showAndStore()
{
    SectionRecords records = breathingRecords(0x10);
    BreathingPageModel model;
    model.show(records);
    QCOMPARE(model.step(Scale::Off), 7);    // 0xA0 = 160
    QCOMPARE(model.step(Scale::Raise), 10); // 0x28 = 40
    QCOMPARE(model.step(Scale::On), 1);     // 10
    QCOMPARE(model.step(Scale::Fall), 10);  // 50
    QCOMPARE(model.colour2(), (RgbPercent{10, 20, 30}));
    QCOMPARE(model.colour2Swatch(), (Rgb{25, 51, 76}));

    QVERIFY(model.setOffTime(10));
    QVERIFY(model.setOnTime(3));
    SectionRecords stored = records;
    model.store(stored);
    // Off and on as clicked, raise and fall at their steps' written values.
    QCOMPARE(stored.ParameterA.mid(18, 4).toHex(), QByteArray("e1173217"));
    QCOMPARE(stored.ParameterA.mid(22, 3), records.ParameterA.mid(22, 3));
    QCOMPARE(stored.UserBreath, records.UserBreath); // checksum byte 0x77 untouched
    QCOMPARE(stored.ParameterA[9], records.ParameterA[9]);
    QCOMPARE(int(stored.ParameterB[3]), 1);

    // Short records neither crash nor grow.
    SectionRecords shortRecords;
    shortRecords.ParameterA = QByteArray(10, '\0');
    shortRecords.ParameterB.clear();
    shortRecords.UserBreath.clear();
    model.show(shortRecords);
    model.store(shortRecords);
    QCOMPARE(shortRecords.ParameterA.size(), 10);
    QCOMPARE(shortRecords.UserBreath.size(), 0);
    QCOMPARE(model.step(Scale::Off), 10); // no byte 18: the step stays
}

QTEST_GUILESS_MAIN(TestBreathingPageModel)
#include "test_breathing_page_model.moc"
