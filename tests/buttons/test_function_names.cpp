#include "buttons/button_assignment_model.h"
#include "buttons/function_names.h"

#include "english_texts.h"

#include <QtTest>

class TestFunctionNames : public QObject
{
    Q_OBJECT
private slots:
    // Every menu name stands for exactly one entry, and the code that entry
    // stores is named by that name again.
    void everyMenuNameComesBackFromItsCode()
    {
        const CodeTextContext context = englishContext();
        const QStringList names = MenuFunctionNames();
        QCOMPARE(names.size(), 36);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        for (const QString &name : names) {
            const int choice = ChoiceOfFunctionName(name);
            QVERIFY2(choice >= 0, qPrintable(name));
            QCOMPARE(FunctionNameOfChoice(choice), name);
            QCOMPARE(FunctionNameOfCode(CodeFromChoice(choice, context), context), name);
        }
        QCOMPARE(ChoiceOfFunctionName("Left"), -1);
        QCOMPARE(ChoiceOfFunctionName("fire-key-5"), -1);
    }

    void keyCombinationsFollowTheDialog_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("caption");
        QTest::newRow("ctrl+alt+a") << "keys:ctrl+alt+a"
                                    << "02050400"
                                    << "Ctrl+Alt+A";
        QTest::newRow("modifiers after keys") << "keys:A+Ctrl"
                                              << "02010400"
                                              << "Ctrl+A";
        QTest::newRow("two keys") << "keys:a+b"
                                  << "02000405"
                                  << "A+B";
        QTest::newRow("spelling of blanks") << "keys:Space_Bar+page up"
                                            << "02002C4B"
                                            << "Space bar+Page Up";
        QTest::newRow("numeric pad") << "keys:win+0-numeric-pad"
                                     << "02086200"
                                     << "Win+0 (numeric pad)";
        QTest::newRow("modifier alone") << "keys:ctrl"
                                        << "02010000"
                                        << "Ctrl";
    }
    void keyCombinationsFollowTheDialog()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(QString, caption);
        QString error;
        const std::optional<FunctionRequest> request = ParseFunctionName(name, &error);
        QVERIFY2(request, qPrintable(error));
        QCOMPARE(int(request->kind), int(FunctionRequest::Kind::Keys));
        QCOMPARE(request->code.hexText(), code);
        QCOMPARE(request->caption, caption);
    }

    // Keys the dialog swallows or the mouse cannot send, a third key, no key
    // or one key twice, and malformed names are refused with a line naming
    // the value. Macro numbers are written as show prints them.
    void badNamesAreRefused()
    {
        for (const QString name : {"keys:left-shift",
                                   "keys:ctrl+left-windows",
                                   "keys:launch-app1",
                                   "keys:a+b+c",
                                   "keys:ctrl++a",
                                   "keys:hyper",
                                   "keys:",
                                   "keys: ",
                                   "keys:ctrl+ctrl",
                                   "keys:a+a",
                                   "keys:Ctrl+a+ctrl",
                                   "macro:32",
                                   "macro:x",
                                   "macro:+1",
                                   "macro:01",
                                   "macro: 1",
                                   "macro:-0",
                                   "macro:1.0",
                                   "code:0102",
                                   "code:0102030G",
                                   "double-click",
                                   ""}) {
            QString error;
            QVERIFY2(!ParseFunctionName(name, &error), qPrintable(name));
            QVERIFY2(!error.isEmpty(), qPrintable(name));
        }
    }

    void otherFormsParse()
    {
        QString error;
        const auto macro = ParseFunctionName("macro:31", &error);
        QVERIFY(macro && macro->kind == FunctionRequest::Kind::Macro && macro->macroSlot == 31);
        const auto first = ParseFunctionName(" Macro:0 ", &error);
        QVERIFY(first && first->kind == FunctionRequest::Kind::Macro && first->macroSlot == 0);
        const auto code = ParseFunctionName("code:0a0b0c0d", &error);
        QVERIFY(code && code->kind == FunctionRequest::Kind::Code);
        QCOMPARE(code->code.hexText(), QStringLiteral("0A0B0C0D"));
        const auto cpi = ParseFunctionName(" CPI+ ", &error);
        QVERIFY(cpi && cpi->kind == FunctionRequest::Kind::Choice && cpi->choice == 1007);
    }

    // Codes are named in the order the button captions read them; anything
    // without a name that gives the same code back stays a raw code.
    void storedCodesAreNamed_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("fire key 1 wins a shared setting") << "06120010"
                                                          << "fire-key-1";
        QTest::newRow("fire key 4") << "06120040"
                                    << "fire-key-4";
        QTest::newRow("no fire key matches") << "06120099"
                                             << "code:06120099";
        QTest::newRow("fire mode with its modes") << "0F010300"
                                                  << "fire-mode";
        QTest::newRow("macro slot 3") << "108C0000"
                                      << "macro:3";
        QTest::newRow("no macro slot address") << "10810000"
                                               << "code:10810000";
        QTest::newRow("win+d") << "02080700"
                               << "keys:win+d";
        QTest::newRow("second key without a first") << "02000005"
                                                    << "code:02000005";
        QTest::newRow("shift as a key") << "0200E100"
                                        << "code:0200E100";
        QTest::newRow("no key at all") << "02000000"
                                       << "code:02000000";
        QTest::newRow("one key twice") << "02000404"
                                       << "code:02000404";
        QTest::newRow("ignored modifier bits") << "02100400"
                                               << "code:02100400";
        QTest::newRow("lower case") << "0e000000"
                                    << "led-mode";
        QTest::newRow("unknown kind") << "08000000"
                                      << "code:08000000";
    }
    void storedCodesAreNamed()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(FunctionNameOfCode(*FunctionCode::fromHexText(code), englishContext()), name);
    }

    // A raw code reaches buttons 4-12 of the editable profiles only.
    void rawCodesKeepToTheButtonRules()
    {
        SectionRecords records;
        ProfileFunctionTable codes;
        ReadProfileFunctions(records.Profile, codes);
        ButtonAssignmentModel model(records, codes);
        const CodeTextContext context = englishContext();
        model.RefreshProfile2Keys(context);
        model.setCurrentButton(7);
        QVERIFY(model.assignCode(FunctionCode::fromWord(0x02050400), context));
        QCOMPARE(model.code(SwitchProfile, 7).hexText(), QStringLiteral("02050400"));
        QCOMPARE(model.caption(7), QStringLiteral("Ctrl+Alt+A"));
        QCOMPARE(records.Profile.mid(ProfileCodeOffset(2, 7), 4).toHex(), QByteArray("02050400"));
        model.setCurrentButton(2);
        QVERIFY(!model.assignCode(FunctionCode::fromWord(0x02050400), context));
        model.RefreshProfile3Keys(context);
        model.setCurrentButton(7);
        QVERIFY(!model.assignCode(FunctionCode::fromWord(0x01010000), context));
        QCOMPARE(model.code(FixedProfile, 7).hexText(), QStringLiteral("00000000"));
    }
};

QTEST_APPLESS_MAIN(TestFunctionNames)
#include "test_function_names.moc"
