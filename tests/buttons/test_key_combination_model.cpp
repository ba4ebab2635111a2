#include "buttons/function_codes.h"
#include "buttons/key_combination_model.h"

#include "english_texts.h"

#include <QtTest>

using M = KeyCombinationModel;

namespace {

constexpr int vkA = 0x41, vkB = 0x42, vkC = 0x43;

bool press(M &m, int vk)
{
    return m.keyDown(vk, false, false, false);
}

} // namespace

class TestKeyCombinationModel : public QObject
{
    Q_OBJECT
private slots:
    void twoKeysWithModifierThenAThird()
    {
        M m;
        m.setModifier(M::Ctrl, true);
        QVERIFY(press(m, vkA) && press(m, vkB));
        QCOMPARE(m.fieldText(), QStringLiteral("Ctrl+A+B"));
        QCOMPARE(m.confirm().code.hexText(), QStringLiteral("02010405"));
        QVERIFY(press(m, vkC)); // starts a new combination
        QCOMPARE(m.fieldText(), QStringLiteral("Ctrl+C"));
        QCOMPARE(m.confirm().code.hexText(), QStringLiteral("02010600"));
    }

    void swallowedKeys()
    {
        for (auto [vk, shift, alt, ctrl] : {std::tuple{vkA, true, false, false},
                                            {vkA, false, true, false},
                                            {vkA, false, false, true},
                                            {0x5B, false, false, false},
                                            {0x5C, false, false, false}}) {
            M m;
            press(m, vkB);
            QVERIFY(!m.keyDown(vk, shift, alt, ctrl));
            QCOMPARE(m.fieldText(), QStringLiteral("B"));
            QCOMPARE(m.confirm().code.hexText(), QStringLiteral("02000500"));
        }
        // After two keys even a swallowed key ends the old combination.
        M m;
        press(m, vkA);
        press(m, vkB);
        QVERIFY(!press(m, 0x5B));
        QVERIFY(m.fieldText().isEmpty());
        QCOMPARE(m.confirm().code.hexText(), QStringLiteral("02000000"));
    }

    void unknownKeyShowsNone()
    {
        M m;
        QVERIFY(press(m, 0xE2) && press(m, vkA));
        QCOMPARE(m.fieldText(), QStringLiteral("None+A"));
        QCOMPARE(m.confirm().code.hexText(), QStringLiteral("02000004"));
    }

    void tickAndUntick_data()
    {
        QTest::addColumn<bool>("withKey");
        QTest::addColumn<QList<int>>("ticks");
        QTest::addColumn<int>("untick");
        QTest::addColumn<QString>("ticked");
        QTest::addColumn<QString>("unticked");
        QTest::newRow("after key") << true << QList<int>{M::Alt} << int(M::Alt) << "Alt+A"
                                   << "A";
        QTest::newRow("inner") << true << QList<int>{M::Ctrl, M::Shift} << int(M::Shift)
                               << "Ctrl+Shift+A"
                               << "Ctrl+A";
        QTest::newRow("leading") << true << QList<int>{M::Ctrl, M::Shift} << int(M::Ctrl)
                                 << "Ctrl+Shift+A"
                                 << "Shift+A";
        QTest::newRow("any order")
            << true << QList<int>{M::Win, M::Ctrl} << int(M::Win) << "Ctrl+Win+A"
            << "Ctrl+A";
        QTest::newRow("not ticked") << true << QList<int>{M::Alt} << int(M::Ctrl) << "Alt+A"
                                    << "Alt+A";
        QTest::newRow("only modifier") << false << QList<int>{M::Shift} << int(M::Shift) << "Shift"
                                       << "";
    }
    void tickAndUntick()
    {
        QFETCH(bool, withKey);
        QFETCH(QList<int>, ticks);
        QFETCH(int, untick);
        QFETCH(QString, ticked);
        QFETCH(QString, unticked);
        M m;
        if (withKey)
            press(m, vkA);
        for (int t : ticks)
            m.setModifier(M::Modifier(t), true);
        QCOMPARE(m.fieldText(), ticked);
        m.setModifier(M::Modifier(untick), false);
        QCOMPARE(m.fieldText(), unticked);
    }

    void confirmCodes()
    {
        M m;
        QCOMPARE(m.confirm().code.hexText(), QStringLiteral("02000000"));
        QVERIFY(m.confirm().caption.isEmpty());
        m.setModifier(M::Ctrl, true);
        const M::Result ctrl = m.confirm();
        QCOMPARE(ctrl.caption, QStringLiteral("Ctrl"));
        QCOMPARE(ctrl.code.hexText(), QStringLiteral("02010000"));
        // Decoded later, the stored code shows a trailing plus.
        QCOMPARE(CodeToText(ctrl.code, englishContext()), QStringLiteral("Ctrl+"));
        for (auto mod : {M::Win, M::Alt, M::Shift})
            m.setModifier(mod, true);
        QCOMPARE(m.confirm().code.hexText(), QStringLiteral("020F0000"));
    }

    void clearForgetsEverything()
    {
        M m;
        m.setModifier(M::Alt, true);
        press(m, vkA);
        press(m, vkB);
        m.clear();
        QVERIFY(m.fieldText().isEmpty() && !m.isTicked(M::Alt));
        press(m, vkC);
        QCOMPARE(m.confirm().code.hexText(), QStringLiteral("02000600"));
        QCOMPARE(m.confirm().caption, QStringLiteral("C"));
    }

    void captionMatchesTheDecodedCode()
    {
        M m;
        m.setModifier(M::Ctrl, true);
        m.setModifier(M::Alt, true);
        press(m, 0x70); // F1
        press(m, 0x20); // Space bar
        const M::Result r = m.confirm();
        QCOMPARE(r.caption, QStringLiteral("Ctrl+Alt+F1+Space bar"));
        QCOMPARE(CodeToText(r.code, englishContext()), r.caption);
    }
};

QTEST_GUILESS_MAIN(TestKeyCombinationModel)
#include "test_key_combination_model.moc"
