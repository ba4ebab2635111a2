#include "macro_test_support.h"

#include "macros/macro_area.h"
#include "macros/macro_format.h"

#include <QRandomGenerator>
#include <QtTest>

// The event lines and the bytes of a macro block, in both directions.
class MacroFormatTest : public QObject
{
    Q_OBJECT
private slots:
    void decodesRecords_data();
    void decodesRecords();
    void detectsDelayMode_data();
    void detectsDelayMode();
    void stopsAtUnframeableBytes_data();
    void stopsAtUnframeableBytes();
    void refusesLengthsAboveABlock();
    void roundTripsThroughTheImage();
    void encodesLines_data();
    void encodesLines();
    void refusesStreamsLongerThanABlock();
    void showsRowTexts_data();
    void showsRowTexts();
    void survivesArbitraryBytes();
};

void MacroFormatTest::decodesRecords_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QStringList>("events"); // lines after line 0

    QTest::newRow("key A with delay") << bytesFromHex("82 04 FE 00 78 02 04 00")
                                      << QStringList{"1 A CODE:8204", "0 120", "2 A CODE:0204"};
    QTest::newRow("modifiers named by their keys")
        << bytesFromHex("81 01 81 02 01 04 81 08 01 80 00")
        << QStringList{"1 Ctrl CODE:8101", "1 Shift CODE:8102", "2 Alt CODE:0104",
                       "1 Left Windows CODE:8108", "2 Right Windows CODE:0180"};
    QTest::newRow("mouse buttons")
        << bytesFromHex("A1 21 A2 22 A4 24 A8 28 B0 30 00")
        << QStringList{"1 LeftKey CODE:00A1",  "2 LeftKey CODE:0021",   "1 RightKey CODE:00A2",
                       "2 RightKey CODE:0022", "1 MiddleKey CODE:00A4", "2 MiddleKey CODE:0024",
                       "1 Forward CODE:00A8",  "2 Forward CODE:0028",   "1 Backward CODE:00B0",
                       "2 Backward CODE:0030"};
    QTest::newRow("left ctrl by its device code")
        << bytesFromHex("82 E0 00") << QStringList{"1 Left Ctrl CODE:82E0"};
    QTest::newRow("key without a name")
        << bytesFromHex("82 00 02 00 00") << QStringList{"1  CODE:8200", "2  CODE:0200"};
    QTest::newRow("unknown modifier repeats the previous line")
        << bytesFromHex("82 04 81 33 00") << QStringList{"1 A CODE:8204", "1 A CODE:8204"};
    QTest::newRow("unknown modifier as first event")
        << bytesFromHex("01 10 00") << QStringList{"00"};
    QTest::newRow("length-only codes repeat the previous line")
        << bytesFromHex("FE 00 32 03 FC FD 99 04 11 22 83 11 22 A1 00")
        << QStringList{"0 50", "0 50", "0 50", "0 50", "0 50", "0 50", "1 LeftKey CODE:00A1"};
    QTest::newRow("terminator only") << bytesFromHex("00") << QStringList{};
}

void MacroFormatTest::decodesRecords()
{
    QFETCH(QByteArray, stream);
    QFETCH(QStringList, events);
    QByteArray block(kMacroBlockSize, char(0xFF));
    block.replace(0, stream.size(), stream);

    const std::optional<DecodedMacro> decoded = decodeMacroStream(block, int(stream.size()));
    QVERIFY(decoded);
    QCOMPARE(decoded->lines.mid(1), events);
}

void MacroFormatTest::detectsDelayMode_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QString>("modeLine");
    QTest::addColumn<int>("mode");

    const int none = int(MacroDelayMode::NoDelay);
    const int fixed = int(MacroDelayMode::FixedDelay);
    const int recorded = int(MacroDelayMode::RecordedDelay);
    QTest::newRow("no delays") << bytesFromHex("82 04 02 04 00") << "00" << none;
    QTest::newRow("two equal delays, missing ones count 0")
        << bytesFromHex("FE 00 32 A1 FE 00 32 21 00") << "10" << recorded;
    QTest::newRow("four equal delays then another")
        << bytesFromHex("FE 00 32 FE 00 32 FE 00 32 FE 00 32 FE 00 14 00") << "0150" << fixed;
    QTest::newRow("four zero delays")
        << bytesFromHex("FE 00 00 FE 00 00 FE 00 00 FE 00 00 00") << "00" << none;
    QTest::newRow("fifth delay does not count")
        << bytesFromHex("FE 00 0A FE 00 0A FE 00 0A FE 00 0A FE 00 0B 00") << "0110" << fixed;
    QTest::newRow("differing delays")
        << bytesFromHex("FE 00 0A FE 00 0B FE 00 0A FE 00 0A 00") << "10" << recorded;
}

void MacroFormatTest::detectsDelayMode()
{
    QFETCH(QByteArray, stream);
    QFETCH(QString, modeLine);
    QFETCH(int, mode);
    const std::optional<DecodedMacro> decoded = decodeMacroStream(stream, int(stream.size()));
    QVERIFY(decoded);
    QCOMPARE(decoded->lines.first(), modeLine);
    QCOMPARE(int(decoded->mode), mode);
}

void MacroFormatTest::stopsAtUnframeableBytes_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("events");

    QTest::newRow("unknown first byte ends decoding") << bytesFromHex("A1 55 21 00") << 4 << 1;
    QTest::newRow("early terminator ends decoding") << bytesFromHex("A1 00 21 00") << 4 << 1;
    QTest::newRow("record cut by the block end") << bytesFromHex("A1 FE 00") << 100 << 1;
    QTest::newRow("length longer than the stream") << bytesFromHex("A1 21") << 1024 << 2;
    QTest::newRow("zero length") << bytesFromHex("A1 21 00") << 0 << 0;
    QTest::newRow("empty block, large length") << QByteArray() << 1024 << 0;
}

void MacroFormatTest::stopsAtUnframeableBytes()
{
    QFETCH(QByteArray, block);
    QFETCH(int, length);
    QFETCH(int, events);
    const std::optional<DecodedMacro> decoded = decodeMacroStream(block, length);
    QVERIFY(decoded);
    QCOMPARE(decoded->lines.size() - 1, events);
}

void MacroFormatTest::refusesLengthsAboveABlock()
{
    const QByteArray block(kMacroBlockSize, char(0xA1));
    QVERIFY(!decodeMacroStream(block, 1025));
    QVERIFY(!decodeMacroStream(block, 0xFFFF));
    // A full block of one-byte records decodes to the block's end and no further.
    const std::optional<DecodedMacro> decoded = decodeMacroStream(block, 1024);
    QVERIFY(decoded);
    QCOMPARE(decoded->lines.size() - 1, 1023);
}

void MacroFormatTest::roundTripsThroughTheImage()
{
    ImageBuffers image = defaultMacroImage();
    const QStringList lines{"10",  "1 Ctrl CODE:8101", "0 65535",          "1 A CODE:8204",
                            "0 7", "2 A CODE:0204",    "2 Ctrl CODE:0101", "1 Backward CODE:00B0"};
    QString script;
    QVERIFY(MacroListToDataBuf(image, 5, lines, &script));
    QCOMPARE(script, QStringLiteral("8101FEFFFF8204FE000702040101B000"));
    const std::optional<DecodedMacro> decoded = DataBufToMacroList(image, 5);
    QVERIFY(decoded);
    QCOMPARE(decoded->lines, lines);
    // Bytes after the terminator keep what they held.
    QCOMPARE(quint8(image.MacroBlocks[5 * kMacroBlockSize + 16]), quint8(0xFF));
}

void MacroFormatTest::encodesLines_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("stream");

    QTest::newRow("left click with delay")
        << QStringList{"10", "1 LeftKey CODE:00A1", "0 300", "2 LeftKey CODE:0021"}
        << bytesFromHex("A1 FE 01 2C 21 00");
    QTest::newRow("no events") << QStringList{"00"} << bytesFromHex("00");
    QTest::newRow("delay that is not a number")
        << QStringList{"10", "0 x"} << bytesFromHex("FE 00 00 00");
    QTest::newRow("delay above the field is capped")
        << QStringList{"10", "0 99999"} << bytesFromHex("FE FF FF 00");
    QTest::newRow("broken code and unknown kind carry nothing")
        << QStringList{"10", "1 A CODE:82ZZ", "7 what", "2 A CODE:0204"}
        << bytesFromHex("02 04 00");
}

void MacroFormatTest::encodesLines()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, stream);
    const std::optional<QByteArray> encoded = encodeMacroLines(lines);
    QVERIFY(encoded);
    QCOMPARE(*encoded, stream);
}

void MacroFormatTest::refusesStreamsLongerThanABlock()
{
    // 1023 one-byte records and the terminator fill the block exactly.
    QStringList lines{"00"};
    for (int i = 0; i < 1023; ++i)
        lines.append(mouseButtonLine(MacroMouseButton::Right, i % 2 == 0));
    std::optional<QByteArray> encoded = encodeMacroLines(lines);
    QVERIFY(encoded);
    QCOMPARE(encoded->size(), 1024);

    ImageBuffers image = defaultMacroImage();
    QVERIFY(MacroListToDataBuf(image, 31, lines));

    lines.append(mouseButtonLine(MacroMouseButton::Left, true));
    QVERIFY(!encodeMacroLines(lines));
    const ImageBuffers before = image;
    QVERIFY(!MacroListToDataBuf(image, 31, lines));
    QCOMPARE(image.MacroBlocks, before.MacroBlocks);
    QCOMPARE(image.MacroNameTable, before.MacroNameTable);
    QVERIFY(!MacroListToDataBuf(image, 32, QStringList{"00"}));
}

void MacroFormatTest::showsRowTexts_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("keyName");

    QTest::newRow("delay") << "0 50"
                           << "50 ms" << 0 << "";
    QTest::newRow("press") << "1 A CODE:8204"
                           << "A" << 1 << "A";
    QTest::newRow("release with blank in name") << "2 Left Ctrl CODE:02E0"
                                                << "Left Ctrl" << 2 << "Left Ctrl";
    QTest::newRow("empty name") << "1  CODE:8200"
                                << "" << 1 << "";
    QTest::newRow("garbage") << "x"
                             << "" << 0 << "";
}

void MacroFormatTest::showsRowTexts()
{
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(int, icon);
    QFETCH(QString, keyName);
    QCOMPARE(lineDisplayText(line), text);
    QCOMPARE(lineIconIndex(line), icon);
    QCOMPARE(lineKeyName(line), keyName);
}

void MacroFormatTest::survivesArbitraryBytes()
{
    // Random blocks of random sizes: decoding ends, and what it yields encodes
    // back into a block or is refused, never more.
    QRandomGenerator random(20240601);
    for (int round = 0; round < 2000; ++round) {
        QByteArray block(int(random.bounded(1100)), '\0');
        for (char &byte : block)
            byte = char(random.bounded(256));
        const int length = int(random.bounded(1200));
        const std::optional<DecodedMacro> decoded = decodeMacroStream(block, length);
        QCOMPARE(bool(decoded), length <= kMacroStreamMax);
        if (!decoded)
            continue;
        QVERIFY(decoded->lines.size() <= kMacroStreamMax);
        if (const std::optional<QByteArray> encoded = encodeMacroLines(decoded->lines))
            QVERIFY(encoded->size() <= kMacroStreamMax);
    }
}

QTEST_GUILESS_MAIN(MacroFormatTest)
#include "test_macro_format.moc"
