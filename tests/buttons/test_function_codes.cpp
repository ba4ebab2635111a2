#include "buttons/function_codes.h"

#include "english_texts.h"

#include <QtTest>

class TestFunctionCodes : public QObject
{
    Q_OBJECT
private slots:
    // A menu choice gives its code, and the code reads back as the choice's
    // text in language 1.
    void choiceRoundTrip_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("left") << 900 << "01010000"
                              << "Left Key";
        QTest::newRow("forward") << 904 << "01100000"
                                 << "Forward";
        QTest::newRow("fire mode") << 1000 << "0F000000"
                                   << "Fire Mode";
        QTest::newRow("switch key") << 1002 << "07000000"
                                    << "KB Switch Key";
        QTest::newRow("cpi minus") << 1008 << "09020000"
                                   << "CPI -";
        QTest::newRow("wake up") << 1102 << "04030000"
                                 << "Wake Up";
        QTest::newRow("fire key 1") << 1200 << "06120010"
                                    << "Double Click";
        QTest::newRow("fire key 4") << 1203 << "06120040"
                                    << "Fire4 Key";
        QTest::newRow("play") << 1300 << "0300CD00"
                              << "Play/Pause";
        QTest::newRow("www back") << 1402 << "03022400"
                                  << " Back";
        QTest::newRow("favorites") << 1406 << "03022A00"
                                   << "WWW Favorites";
        QTest::newRow("none") << 0 << "00000000"
                              << "";
    }
    void choiceRoundTrip()
    {
        QFETCH(int, choice);
        QFETCH(QString, code);
        QFETCH(QString, text);
        const CodeTextContext context = englishContext();
        QCOMPARE(CodeFromChoice(choice, context).hexText(), code);
        QCOMPARE(CodeToText(*FunctionCode::fromHexText(code), context), text);
        if (choice != 0)
            QCOMPARE(context.text(ChoiceTextKey(choice)), text);
    }

    void unknownChoicesGiveNoCode()
    {
        for (int choice : {-1, 7, 899, 905, 1009, 1103, 1204, 1307, 1407}) {
            QVERIFY(CodeFromChoice(choice, englishContext()).isEmpty());
            QVERIFY(ChoiceTextKey(choice).isEmpty());
        }
    }

    void fireKeyCodeBytes_data()
    {
        QTest::addColumn<int>("repeat");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("nibble");
        QTest::addColumn<QString>("code");
        QTest::newRow("default") << 2 << 48 << 0 << "06120030";
        QTest::newRow("limits") << 15 << 2000 << 0 << "061F07D0";
        QTest::newRow("kept high nibble") << 5 << 0x7FF << 0xA << "0615A7FF";
        // Out-of-range values wrap like the FireKey writer, never grow the code.
        QTest::newRow("repeat wraps") << 0xF5 << 16 << 0 << "06050010";
        QTest::newRow("delay wraps") << 2 << 0x1FFFF << 0 << "0612FFFF";
    }
    void fireKeyCodeBytes()
    {
        QFETCH(int, repeat);
        QFETCH(int, delay);
        QFETCH(int, nibble);
        QFETCH(QString, code);
        CodeTextContext context = englishContext();
        context.fireKeys[2] = {repeat, delay, quint8(nibble)};
        QCOMPARE(CodeFromChoice(1202, context).hexText(), code);
        QCOMPARE(CodeToText(*FunctionCode::fromHexText(code), context),
                 QStringLiteral("Fire3 Key"));
    }

    void fireKeyPrecedence()
    {
        CodeTextContext context = englishContext();
        context.fireKeys.fill({2, 16, 0});
        const FunctionCode code = FunctionCode::fromWord(0x06120010);
        QCOMPARE(CodeToText(code, context), QStringLiteral("Double Click"));
        context.fireKeys[0].delay = 20;
        QCOMPARE(CodeToText(code, context), QStringLiteral("Fire2 Key"));
        context.fireKeys[1].repeat = 3;
        context.fireKeys[2].delay = 30;
        QCOMPARE(CodeToText(code, context), QStringLiteral("Fire4 Key"));
        context.fireKeys[3].byte2HighNibble = 1; // same delay, other kept bits
        QVERIFY(CodeToText(code, context).isEmpty());
    }

    void fireKeysFromSection()
    {
        const QByteArray section = QByteArray::fromHex("06120010061F37D00610F00206AB12345A");
        const auto keys = FireKeySettingsFromSection(section);
        QCOMPARE(keys[1].repeat, 15);
        QCOMPARE(keys[1].delay, 2000);
        QCOMPARE(int(keys[1].byte2HighNibble), 3);
        // Entries whose byte 1 has 0x10 set come back unchanged as codes.
        for (int n : {0, 1, 2})
            QCOMPARE(FireKeyCode(keys[n]).hexText(),
                     FunctionCode::fromRecord(section, 4 * n).hexText());
        // A short section leaves the missing keys at their defaults.
        QCOMPARE(FireKeySettingsFromSection(section.left(6))[1].delay, FireKeySetting{}.delay);
    }

    void codeTexts_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("fire mode data") << "0F030402"
                                        << "Fire Mode";
        QTest::newRow("ctrl alt a") << "02050400"
                                    << "Ctrl+Alt+A";
        QTest::newRow("a b") << "02000405"
                             << "A+B";
        QTest::newRow("second key only") << "02000005"
                                         << "B";
        QTest::newRow("modifier keeps plus") << "02010000"
                                             << "Ctrl+";
        QTest::newRow("all modifiers") << "020F0428"
                                       << "Ctrl+Shift+Alt+Win+A+Enter";
        QTest::newRow("upper bits ignored") << "02F00400"
                                            << "A";
        QTest::newRow("shift decodes left") << "0200E100"
                                            << "Left Shift";
        QTest::newRow("browser back") << "0200CA00"
                                      << "Browser_Back";
        QTest::newRow("unnamed key") << "02023200"
                                     << "Shift+";
        QTest::newRow("unnamed first key") << "02003204"
                                           << "+A";
        QTest::newRow("slot 0") << "10800000"
                                << "Macro 0";
        QTest::newRow("slot 31") << "10FC0000"
                                 << "Macro 31";
        QTest::newRow("byte 3 ignored") << "10880099"
                                        << "Macro 2";
        QTest::newRow("between slots") << "10810000"
                                       << "";
        QTest::newRow("below macro area") << "107C0000"
                                          << "";
        QTest::newRow("low address byte") << "10800100"
                                          << "";
        QTest::newRow("kind 08") << "08000000"
                                 << "";
        QTest::newRow("kind 0A") << "0A000000"
                                 << "";
        QTest::newRow("switch key with data") << "07000001"
                                              << "";
        QTest::newRow("empty keyboard") << "02000000"
                                        << "";
        QTest::newRow("short") << "020004"
                               << "";
        QTest::newRow("long") << "0200040000"
                              << "";
        QTest::newRow("not hex") << "02ZZ0400"
                                 << "";
        QTest::newRow("sign in digits") << "02+40400"
                                        << "";
    }
    void codeTexts()
    {
        QFETCH(QString, code);
        QFETCH(QString, text);
        // A text that is no code reads as the empty code: no caption.
        const FunctionCode typed = FunctionCode::fromHexText(code).value_or(FunctionCode());
        QCOMPARE(CodeToText(typed, englishContext()), text);
    }

    void macroSlots()
    {
        CodeTextContext context = englishContext();
        QVERIFY(MacroSlotCode(-1).isEmpty() && MacroSlotCode(32).isEmpty());
        for (int slot = 0; slot < 32; ++slot)
            QCOMPARE(CodeToText(MacroSlotCode(slot), context), context.macroNames.at(slot));
        context.macroNames = {QStringLiteral("only")};
        QVERIFY(CodeToText(FunctionCode::fromWord(0x10840000), context).isEmpty());
    }

    void textFollowsTheLanguage()
    {
        CodeTextContext context = englishContext();
        context.text = [](const QString &key) { return QStringLiteral("<%1>").arg(key); };
        QCOMPARE(CodeToText(FunctionCode::fromWord(0x01010000), context),
                 QStringLiteral("<Str210>"));
        QCOMPARE(CodeToText(FunctionCode::fromWord(0x06120020), context),
                 QStringLiteral("<Str232>"));
        QCOMPARE(CodeToText(FunctionCode::fromWord(0x02010400), context), QStringLiteral("Ctrl+A"));
        context.text = nullptr; // no language at all: empty, not a crash
        QVERIFY(CodeToText(FunctionCode::fromWord(0x0E000000), context).isEmpty());
    }

    void bytesAndTexts()
    {
        QCOMPARE(FunctionCode({0x06, 0x12, 0xAB, 0x0F}).hexText(), QStringLiteral("0612AB0F"));
        QCOMPARE(int((*FunctionCode::fromHexText(u"0612ab0F"))[2]), 0xAB);
        QCOMPARE(FunctionCode::fromWord(0x0612AB0F), *FunctionCode::fromHexText(u"0612AB0F"));
        for (const char16_t *text : {u"0108", u"0200040000", u"01G80000", u"02+40400", u" 0610000"})
            QVERIFY2(!FunctionCode::fromHexText(text), qPrintable(QString::fromUtf16(text)));
        const QByteArray record = QByteArray::fromHex("0102030405");
        QCOMPARE(FunctionCode::fromRecord(record, 1).hexText(), QStringLiteral("02030405"));
        QVERIFY(FunctionCode::fromRecord(record, 2).isEmpty() &&
                FunctionCode::fromRecord(record, -1).isEmpty());
    }

    // The empty code of a cleared table is no code at all: not "none", never
    // written, shown as no text.
    void emptyCode()
    {
        const FunctionCode empty;
        QVERIFY(empty != CodeFromChoice(kChoiceNone, englishContext()));
        QVERIFY(empty.hexText().isEmpty());
        QByteArray record(4, '\x55');
        QVERIFY(!empty.writeTo(record, 0));
        QVERIFY(!FunctionCode::fromWord(0x01010000).writeTo(record, 1));
        QCOMPARE(record, QByteArray(4, '\x55'));
        QVERIFY(FunctionCode::fromWord(0x01010000).writeTo(record, 0));
        QCOMPARE(record, QByteArray::fromHex("01010000"));
    }
};

QTEST_GUILESS_MAIN(TestFunctionCodes)
#include "test_function_codes.moc"
