#include "buttons/function_codes.h"
#include "buttons/key_combination_model.h"

#include "english_texts.h"

#include <QtTest>

namespace {

constexpr int vkA = 0x41;
constexpr int vkB = 0x42;
constexpr int vkC = 0x43;
constexpr int vkLeftWindows = 0x5B;
constexpr int vkRightWindows = 0x5C;

bool press(KeyCombinationModel &m, int vk)
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
        KeyCombinationModel m;
        m.setModifier(KeyCombinationModel::Ctrl, true);
        QCOMPARE(m.fieldText(), QStringLiteral("Ctrl"));
        QVERIFY(press(m, vkA));
        QVERIFY(press(m, vkB));
        QCOMPARE(m.fieldText(), QStringLiteral("Ctrl+A+B"));
        QCOMPARE(m.keyText(), QStringLiteral("A+B"));
        QCOMPARE(m.confirm().code, QStringLiteral("02010405"));

        QVERIFY(press(m, vkC));
        QCOMPARE(m.fieldText(), QStringLiteral("Ctrl+C"));
        QCOMPARE(m.keyCount(), 1);
        QCOMPARE(int(m.firstDeviceKey()), 0x06);
        QCOMPARE(int(m.secondDeviceKey()), 0);
        QCOMPARE(m.confirm().code, QStringLiteral("02010600"));
    }

    void swallowedKeys_data()
    {
        QTest::addColumn<int>("vk");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<bool>("alt");
        QTest::addColumn<bool>("ctrl");
        QTest::newRow("shift held") << vkA << true << false << false;
        QTest::newRow("alt held") << vkA << false << true << false;
        QTest::newRow("ctrl held") << vkA << false << false << true;
        QTest::newRow("left windows") << vkLeftWindows << false << false << false;
        QTest::newRow("right windows") << vkRightWindows << false << false << false;
    }
    void swallowedKeys()
    {
        QFETCH(int, vk);
        QFETCH(bool, shift);
        QFETCH(bool, alt);
        QFETCH(bool, ctrl);
        KeyCombinationModel m;
        press(m, vkB);
        QVERIFY(!m.keyDown(vk, shift, alt, ctrl));
        QCOMPARE(m.fieldText(), QStringLiteral("B"));
        QCOMPARE(m.keyCount(), 1);
        QCOMPARE(m.confirm().code, QStringLiteral("02000500"));
    }

    void swallowedKeyAfterTwoStillStartsAfresh()
    {
        KeyCombinationModel m;
        press(m, vkA);
        press(m, vkB);
        QVERIFY(!press(m, vkLeftWindows));
        QVERIFY(m.fieldText().isEmpty());
        QCOMPARE(m.keyCount(), 0);
        QCOMPARE(m.confirm().code, QStringLiteral("02000000"));
    }

    void unknownKeyShowsNone()
    {
        KeyCombinationModel m;
        QVERIFY(press(m, 0xE2));
        QCOMPARE(m.fieldText(), QStringLiteral("None"));
        QCOMPARE(int(m.firstDeviceKey()), 0);
        QVERIFY(press(m, vkA));
        QCOMPARE(m.fieldText(), QStringLiteral("None+A"));
        QCOMPARE(m.confirm().code, QStringLiteral("02000004"));
    }

    void tickAndUntick_data()
    {
        using M = KeyCombinationModel;
        QTest::addColumn<QList<int>>("ticks");
        QTest::addColumn<int>("untick");
        QTest::addColumn<QString>("ticked");
        QTest::addColumn<QString>("unticked");
        QTest::newRow("alt after key") << QList<int>{M::Alt} << int(M::Alt) << "Alt+A"
                                       << "A";
        QTest::newRow("inner modifier")
            << QList<int>{M::Ctrl, M::Shift} << int(M::Shift) << "Ctrl+Shift+A"
            << "Ctrl+A";
        QTest::newRow("leading modifier")
            << QList<int>{M::Ctrl, M::Shift} << int(M::Ctrl) << "Ctrl+Shift+A"
            << "Shift+A";
        QTest::newRow("ticked in any order")
            << QList<int>{M::Win, M::Ctrl} << int(M::Win) << "Ctrl+Win+A"
            << "Ctrl+A";
        QTest::newRow("untick one not shown") << QList<int>{M::Alt} << int(M::Ctrl) << "Alt+A"
                                              << "Alt+A";
    }
    void tickAndUntick()
    {
        QFETCH(QList<int>, ticks);
        QFETCH(int, untick);
        QFETCH(QString, ticked);
        QFETCH(QString, unticked);
        KeyCombinationModel m;
        press(m, vkA);
        for (int t : ticks)
            m.setModifier(KeyCombinationModel::Modifier(t), true);
        QCOMPARE(m.fieldText(), ticked);
        // Unticking a box that is not ticked is no change at all.
        m.setModifier(KeyCombinationModel::Modifier(untick), false);
        if (ticks.contains(untick))
            QCOMPARE(m.fieldText(), unticked);
        else
            QCOMPARE(m.fieldText(), ticked);
    }

    void untickTheOnlyModifier()
    {
        KeyCombinationModel m;
        m.setModifier(KeyCombinationModel::Shift, true);
        QCOMPARE(m.fieldText(), QStringLiteral("Shift"));
        m.setModifier(KeyCombinationModel::Shift, false);
        QVERIFY(m.fieldText().isEmpty());
        QCOMPARE(m.modifierBits(), quint8(0));
    }

    void modifierOnly()
    {
        KeyCombinationModel m;
        m.setModifier(KeyCombinationModel::Ctrl, true);
        const KeyCombinationModel::Result r = m.confirm();
        QCOMPARE(r.caption, QStringLiteral("Ctrl"));
        QCOMPARE(r.code, QStringLiteral("02010000"));
        QCOMPARE(m.code(), r.code);
        // Decoded later, the stored code shows its trailing plus.
        QCOMPARE(CodeToText(r.code, englishContext()), QStringLiteral("Ctrl+"));
    }

    void allModifiersBits()
    {
        KeyCombinationModel m;
        for (auto mod : {KeyCombinationModel::Win, KeyCombinationModel::Alt,
                         KeyCombinationModel::Shift, KeyCombinationModel::Ctrl})
            m.setModifier(mod, true);
        QCOMPARE(m.modifierText(), QStringLiteral("Ctrl+Shift+Alt+Win"));
        QCOMPARE(m.confirm().code, QStringLiteral("020F0000"));
    }

    void confirmWithNothing()
    {
        KeyCombinationModel m;
        const KeyCombinationModel::Result r = m.confirm();
        QVERIFY(r.caption.isEmpty());
        QCOMPARE(r.code, QStringLiteral("02000000"));
    }

    void clearForgetsEverything()
    {
        KeyCombinationModel m;
        m.setModifier(KeyCombinationModel::Alt, true);
        press(m, vkA);
        press(m, vkB);
        m.confirm();
        m.clear();
        QVERIFY(m.fieldText().isEmpty());
        QVERIFY(!m.isTicked(KeyCombinationModel::Alt));
        QVERIFY(m.code().isEmpty());
        press(m, vkC);
        const KeyCombinationModel::Result r = m.confirm();
        QCOMPARE(r.caption, QStringLiteral("C"));
        QCOMPARE(r.code, QStringLiteral("02000600"));
    }

    void captionAndCodeAgree()
    {
        // What the dialog shows is what the button will read after a reload,
        // apart from the modifier names of captured modifier keys.
        KeyCombinationModel m;
        m.setModifier(KeyCombinationModel::Ctrl, true);
        m.setModifier(KeyCombinationModel::Alt, true);
        press(m, 0x70); // F1
        press(m, 0x20); // Space bar
        const KeyCombinationModel::Result r = m.confirm();
        QCOMPARE(r.caption, QStringLiteral("Ctrl+Alt+F1+Space bar"));
        QCOMPARE(CodeToText(r.code, englishContext()), r.caption);
    }
};

QTEST_GUILESS_MAIN(TestKeyCombinationModel)
#include "test_key_combination_model.moc"
