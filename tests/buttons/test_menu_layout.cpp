#include "buttons/function_codes.h"
#include "buttons/menu_layout.h"

#include <QtTest>

Q_DECLARE_METATYPE(MenuId)

namespace {

// Entries that lie inside a panel of the given height.
QStringList reachable(MenuId menu, int height)
{
    QStringList names;
    const QList<MenuEntry> entries = MenuEntries(menu);
    for (int i = 0; i < entries.size(); ++i) {
        if (MenuEntryRect(menu, i).bottom() < height)
            names << entries[i].objectName;
    }
    return names;
}

} // namespace

class TestMenuLayout : public QObject
{
    Q_OBJECT
private slots:
    void buttonMenuPosition_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<MenuId>("menu");
        QTest::addColumn<int>("height");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("left half") << 399 << 200 << MenuId::Main << 146 << QPoint(447, 215);
        QTest::newRow("right half") << 400 << 200 << MenuId::Main << 146 << QPoint(258, 215);
        QTest::newRow("LRM, right half") << 500 << 100 << MenuId::LRM << 74 << QPoint(358, 115);
        QTest::newRow("opens upwards") << 100 << 460 << MenuId::Main << 146 << QPoint(148, 329);
        QTest::newRow("just fits") << 100 << 450 << MenuId::Main << 146 << QPoint(148, 465);
        QTest::newRow("reaches 600") << 100 << 454 << MenuId::Main << 146 << QPoint(148, 323);
        QTest::newRow("no macro entry") << 100 << 460 << MenuId::Main << 122 << QPoint(148, 475);
        QTest::newRow("LRM never up") << 100 << 560 << MenuId::LRM << 74 << QPoint(148, 575);
    }
    void buttonMenuPosition()
    {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(MenuId, menu);
        QFETCH(int, height);
        QFETCH(QPoint, position);
        QCOMPARE(ButtonMenuPosition(QRect(left, top, 97, 30), menu, height), position);
    }

    void subMenuPositions()
    {
        const QRect first = MenuEntryRect(MenuId::Main, 0);
        const QRect third = MenuEntryRect(MenuId::Main, 2);
        QCOMPARE(SubMenuPosition({148, 215}, first, 122), QPoint(336, 216));
        QCOMPARE(SubMenuPosition({420, 215}, first, 122), QPoint(258, 216)); // left 420 - 162
        QCOMPARE(SubMenuPosition({148, 380}, third, 170), QPoint(336, 429)); // ends at 599
        QCOMPARE(SubMenuPosition({148, 381}, third, 170), QPoint(336, 284)); // lifted
        // The special menu's sub-menus follow the main menu's side.
        const QRect fire = MenuEntryRect(MenuId::Special, 1);
        QCOMPARE(SpecialSubMenuPosition({100, 50}, {288, 450}, fire), QPoint(450, 475));
        QCOMPARE(SpecialSubMenuPosition({450, 50}, {288, 450}, fire), QPoint(126, 475));
    }

    void finalEntriesAndPanelHeights()
    {
        int finals = 0;
        for (MenuId menu : {MenuId::MseKey, MenuId::Special, MenuId::ACPI, MenuId::Fire,
                            MenuId::Media, MenuId::WWW, MenuId::LRM}) {
            for (const MenuEntry &e : MenuEntries(menu)) {
                QVERIFY2(!e.textKey.isEmpty(), qPrintable(e.objectName));
                if (e.opensSubMenu)
                    continue;
                QVERIFY(!CodeFromChoice(e.tag, CodeTextContext{}).isEmpty());
                finals += menu != MenuId::LRM;
            }
            if (menu != MenuId::Special) {
                const int height = MenuSize(menu, true, 58).height();
                QCOMPARE(reachable(menu, height).size(), MenuEntries(menu).size());
            }
        }
        QCOMPARE(finals, 35);

        QVERIFY(reachable(MenuId::Special, SpecialMenuHeight(58)).contains("Key_CPID"));
        const QStringList layout42 = reachable(MenuId::Special, SpecialMenuHeight(42));
        QCOMPARE(layout42.size(), 9);
        QVERIFY(!layout42.contains("Key_CPII") && !layout42.contains("Key_CPID"));
        QCOMPARE(reachable(MenuId::Main, MainMenuHeight(true)).last(), "Key_Macro");
        QCOMPARE(reachable(MenuId::Main, MainMenuHeight(false)).last(), "Key_Assembly");
    }

    void openMenusWhileMoving()
    {
        const MenuSet main = menuBit(MenuId::Main), special = menuBit(MenuId::Special);
        const MenuSet acpi = menuBit(MenuId::ACPI), fire = menuBit(MenuId::Fire);
        const MenuSet list = menuBit(MenuId::MacroList), media = menuBit(MenuId::Media);

        QCOMPARE(MenusAfterBranchEnter(1, main | special | acpi, false),
                 main | menuBit(MenuId::MseKey));
        QCOMPARE(MenusAfterBranchEnter(5, main | special | fire, false), main | special | acpi);
        QCOMPARE(MenusAfterBranchEnter(7, main | media, false), main); // no macros, no list
        QCOMPARE(MenusAfterBranchEnter(7, main | media, true), main | list);
        QCOMPARE(MenusAfterBranchEnter(2, main | list, true), main | special);
        QCOMPARE(MenusAfterBranchEnter(0, main | special, true), main | special);

        QCOMPARE(MenusAfterFinalEnter(MenuId::Special, main | special | acpi), main | special);
        QCOMPARE(MenusAfterFinalEnter(MenuId::Main, main | special | fire | list), main);
        QCOMPARE(MenusAfterFinalEnter(MenuId::Media, main | media), main | media);
    }
};

QTEST_GUILESS_MAIN(TestMenuLayout)
#include "test_menu_layout.moc"
