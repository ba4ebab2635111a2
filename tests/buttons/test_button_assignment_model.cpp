#include "buttons/button_assignment_model.h"

#include "english_texts.h"

#include <QtTest>

namespace {

// The shipped Profile section: profile 1, then profiles 2 and 3 alike.
QByteArray shippedProfile()
{
    const QByteArray main = QByteArray::fromHex("010100000102000001040000090100000902000001100000"
                                                "010800000612001002080700108000000C00000002080700");
    const QByteArray other =
        QByteArray::fromHex("010100000102000001040000090000000108000001100000"
                            "06120010070000000E000000030223000C00000002080700");
    return main + other + other + QByteArray(1, char(0x5A));
}

} // namespace

class TestButtonAssignmentModel : public QObject
{
    Q_OBJECT

    SectionRecords records;
    ProfileFunctionTable codes;
    CodeTextContext context;

    QByteArray profileBytes(int profile, int button) const
    {
        return records.Profile.mid(ProfileCodeOffset(profile, button), 4).toHex().toUpper();
    }

private slots:
    void init()
    {
        records = SectionRecords();
        records.Profile = shippedProfile();
        ReadProfileFunctions(records.Profile, codes);
        context = englishContext();
    }

    void refreshShowsTheProfileAndSelectsIt()
    {
        ButtonAssignmentModel model(records, codes);
        QCOMPARE(model.shownProfile(), int(NoProfileShown));
        QVERIFY(model.RefreshProfile1Keys(context));
        QCOMPARE(model.shownProfile(), int(MainProfile));
        QCOMPARE(model.captions().join(','),
                 QStringLiteral("Left Key,Right Key,Middle Key,CPI +,CPI -,Forward,Back,"
                                "Double Click,Win+D,Macro 0,Report Rate,Win+D"));
        QVERIFY(!model.RefreshProfileKeys(0, context) && !model.RefreshProfileKeys(4, context));
        QCOMPARE(model.shownProfile(), int(MainProfile));
        QVERIFY(model.caption(0).isEmpty() && model.caption(13).isEmpty());
    }

    void choiceIsStoredInTextAndSection_data()
    {
        QTest::addColumn<int>("profile");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("main, back on button 5")
            << 1 << 5 << 903 << "Back" << QByteArray("01080000");
        QTest::newRow("main, LED mode on button 12")
            << 1 << 12 << 1006 << "LED Mode" << QByteArray("0E000000");
        QTest::newRow("switch, fire key 2 on button 4")
            << 2 << 4 << 1201 << "Fire2 Key" << QByteArray("06120020");
    }
    void choiceIsStoredInTextAndSection()
    {
        QFETCH(int, profile);
        QFETCH(int, button);
        QFETCH(int, choice);
        QFETCH(QString, caption);
        QFETCH(QByteArray, bytes);
        ButtonAssignmentModel model(records, codes);
        model.RefreshProfileKeys(profile, context);
        const QByteArray before = records.Profile;
        QVERIFY(model.setCurrentButton(button));
        QVERIFY(model.assignChoice(choice, context));
        QCOMPARE(model.caption(button), caption);
        QCOMPARE(model.code(profile, button).hexText(), QString::fromLatin1(bytes));
        QCOMPARE(profileBytes(profile, button), bytes);
        // Only those four bytes changed.
        QByteArray expected = before;
        expected.replace(ProfileCodeOffset(profile, button), 4, QByteArray::fromHex(bytes));
        QCOMPARE(records.Profile, expected);
    }

    void fixedProfileStoresNothing()
    {
        ButtonAssignmentModel model(records, codes);
        model.RefreshProfile3Keys(context);
        const QStringList captions = model.captions();
        const QByteArray before = records.Profile;
        const ProfileFunctionTable codesBefore = codes;
        model.setCurrentButton(5);
        QVERIFY(!model.assignChoice(903, context));
        QVERIFY(!model.assignMacro(0, QStringLiteral("Macro 0")));
        model.setPendingKeyCombination(QStringLiteral("A"), FunctionCode::fromWord(0x02000400));
        QVERIFY(!model.ApplyKeyCombination());
        model.setCurrentButton(1);
        QVERIFY(!model.exchangeMouseButton(901, context));
        QVERIFY(!model.storeCode(FunctionCode::fromWord(0x01020000)));
        QCOMPARE(records.Profile, before);
        QCOMPARE(codes, codesBefore);
        QCOMPARE(model.captions(), captions);
    }

    void unknownChoiceAndBadCodesAssignNothing()
    {
        ButtonAssignmentModel model(records, codes);
        model.RefreshProfile1Keys(context);
        QVERIFY(!model.assignChoice(903, context)); // no label clicked yet
        QVERIFY(!model.setCurrentButton(13));
        model.setCurrentButton(6);
        QVERIFY(!model.assignChoice(1009, context));
        QVERIFY(!FunctionCode::fromHexText(u"0108"));
        QVERIFY(!FunctionCode::fromHexText(u"01G80000"));
        QVERIFY(!model.storeCode(FunctionCode())); // no code at all
        QCOMPARE(model.caption(6), QStringLiteral("Forward"));
        QCOMPARE(records.Profile, shippedProfile());
        // Lower-case digits are accepted and kept in the canonical form.
        QVERIFY(model.storeCode(*FunctionCode::fromHexText(u"0300cd00")));
        QCOMPARE(model.code(1, 6).hexText(), QStringLiteral("0300CD00"));
    }

    void shortProfileSectionIsNotWrittenPastItsEnd()
    {
        records.Profile.truncate(96);
        ButtonAssignmentModel model(records, codes);
        model.RefreshProfile2Keys(context);
        model.setCurrentButton(12); // the last four bytes still there
        QVERIFY(model.assignChoice(903, context));
        QCOMPARE(profileBytes(2, 12), QByteArray("01080000"));
        records.Profile.truncate(46);
        model.RefreshProfile1Keys(context);
        QVERIFY(!model.assignChoice(904, context));
        QCOMPARE(records.Profile.size(), 46);
        // Text and bytes stay in step: neither changed.
        QCOMPARE(model.code(1, 12).hexText(), QStringLiteral("02080700"));
        QCOMPARE(model.caption(12), QStringLiteral("Win+D"));
    }

    void exchange_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("middle for 1")
            << 1 << 902 << QStringList{"Middle Key", "Right Key", "Left Key"}
            << QStringList{"01040000", "01020000", "01010000"};
        QTest::newRow("right for 1")
            << 1 << 901 << QStringList{"Right Key", "Left Key", "Middle Key"}
            << QStringList{"01020000", "01010000", "01040000"};
        QTest::newRow("same again")
            << 2 << 901 << QStringList{"Left Key", "Right Key", "Middle Key"}
            << QStringList{"01010000", "01020000", "01040000"};
    }
    void exchange()
    {
        QFETCH(int, button);
        QFETCH(int, choice);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, codes);
        ButtonAssignmentModel model(records, this->codes);
        model.RefreshProfile2Keys(context);
        model.setCurrentButton(button);
        QVERIFY(model.exchangeMouseButton(choice, context));
        for (int b = 1; b <= 3; ++b) {
            QCOMPARE(model.caption(b), captions[b - 1]);
            QCOMPARE(model.code(2, b).hexText(), codes[b - 1]);
            QCOMPARE(profileBytes(2, b), codes[b - 1].toLatin1());
        }
        QCOMPARE(records.Profile.left(48), shippedProfile().left(48)); // profile 1 untouched
    }

    void exchangeHandsOnAnUnknownFunction()
    {
        // An image gave button 1 the CPI key; choosing "Right Key" for it
        // moves CPI to button 2 instead of leaving two right buttons.
        records.Profile.replace(ProfileCodeOffset(1, 1), 4, QByteArray::fromHex("09000000"));
        ReadProfileFunctions(records.Profile, codes);
        ButtonAssignmentModel model(records, codes);
        model.RefreshProfile1Keys(context);
        model.setCurrentButton(1);
        QVERIFY(model.exchangeMouseButton(901, context));
        QCOMPARE(model.captions().mid(0, 3), (QStringList{"Right Key", "CPI", "Middle Key"}));
        QCOMPARE(profileBytes(1, 1), QByteArray("01020000"));
        QCOMPARE(profileBytes(1, 2), QByteArray("09000000"));
    }

    void exchangeOnlyAmongTheFirstThree()
    {
        ButtonAssignmentModel model(records, codes);
        model.RefreshProfile1Keys(context);
        model.setCurrentButton(4);
        QVERIFY(!model.exchangeMouseButton(900, context));
        model.setCurrentButton(1);
        QVERIFY(!model.exchangeMouseButton(903, context));
        // Buttons 1-3 take no other function, whichever way it arrives.
        QVERIFY(!model.assignChoice(1006, context));
        QVERIFY(!model.assignMacro(3, QStringLiteral("Macro 3")));
        model.setPendingKeyCombination(QStringLiteral("A"), FunctionCode::fromWord(0x02000400));
        QVERIFY(!model.ApplyKeyCombination());
        QCOMPARE(records.Profile, shippedProfile());
        QCOMPARE(model.caption(1), QStringLiteral("Left Key"));
    }

    void macroAssignment()
    {
        ButtonAssignmentModel model(records, codes);
        model.RefreshProfile1Keys(context);
        model.setCurrentButton(10);
        QVERIFY(!model.assignMacro(32, QStringLiteral("x"))); // no list entry
        QVERIFY(!model.assignMacro(-1, QStringLiteral("x")));
        for (auto [slot, bytes] : {std::pair{0, "10800000"}, {1, "10840000"}, {31, "10FC0000"}}) {
            QVERIFY(model.assignMacro(slot, context.macroNames.at(slot)));
            QCOMPARE(profileBytes(1, 10), QByteArray(bytes));
            // Caption and code agree once the page is refreshed.
            QCOMPARE(CodeToText(model.code(1, 10), context), model.caption(10));
        }
    }

    void pendingKeyCombination()
    {
        ButtonAssignmentModel model(records, codes);
        model.RefreshProfile2Keys(context);
        model.setCurrentButton(9);
        QVERIFY(!model.ApplyKeyCombination()); // nothing confirmed
        model.setPendingKeyCombination(QStringLiteral("Ctrl+A+B"),
                                       FunctionCode::fromWord(0x02010405));
        // The dialog is not modal: the button current at Confirm takes it.
        model.setCurrentButton(11);
        QVERIFY(model.ApplyKeyCombination());
        QCOMPARE(model.caption(11), QStringLiteral("Ctrl+A+B"));
        QCOMPARE(profileBytes(2, 11), QByteArray("02010405"));
        QCOMPARE(model.caption(9), QStringLiteral("LED Mode"));
        model.clearPendingKeyCombination();
        QVERIFY(!model.pendingKeyCombination().confirmed);
        QVERIFY(model.pendingKeyCombination().code.isEmpty());
        QVERIFY(!model.ApplyKeyCombination());
        // A confirmed but malformed code changes nothing.
        model.setPendingKeyCombination(QStringLiteral("?"),
                                       FunctionCode::fromHexText(u"02").value_or(FunctionCode()));
        QVERIFY(!model.ApplyKeyCombination());
        QCOMPARE(model.caption(11), QStringLiteral("Ctrl+A+B"));
    }

    void pageRule()
    {
        ButtonAssignmentModel model(records, codes);
        // Shipped: no switch key on Main, a switch key but no reset key on Switch.
        QCOMPARE(model.PageBlockMessage(SwitchProfile), QStringLiteral("Str020"));
        QCOMPARE(model.PageBlockMessage(FixedProfile), QStringLiteral("Str021"));
        QVERIFY(model.PageBlockMessage(MainProfile).isEmpty());
        QVERIFY(model.PageBlockMessage(4).isEmpty());

        model.RefreshProfile1Keys(context);
        model.setCurrentButton(6);
        QVERIFY(model.assignChoice(1002, context));
        QVERIFY(model.PageBlockMessage(SwitchProfile).isEmpty());
        model.RefreshProfile2Keys(context);
        model.setCurrentButton(4);
        QVERIFY(model.assignChoice(1005, context));
        QVERIFY(model.PageBlockMessage(FixedProfile).isEmpty());
        // Taking the switch key off Main closes the Switch page again.
        model.RefreshProfile1Keys(context);
        model.setCurrentButton(6);
        QVERIFY(model.assignChoice(1001, context));
        QCOMPARE(model.PageBlockMessage(SwitchProfile), QStringLiteral("Str020"));
        // A macro named like the switch key is still a macro.
        QVERIFY(model.assignMacro(2, QStringLiteral("KB Switch Key")));
        QCOMPARE(model.PageBlockMessage(SwitchProfile), QStringLiteral("Str020"));
    }
};

QTEST_GUILESS_MAIN(TestButtonAssignmentModel)
#include "test_button_assignment_model.moc"
