#include "buttons/function_codes.h"
#include "buttons/menu_layout.h"

#include <QtTest>

Q_DECLARE_METATYPE(MenuId)

class TestMenuLayout : public QObject
{
    Q_OBJECT
private slots:
    void buttonMenuPosition_data()
    {
        QTest::addColumn<QRect>("label");
        QTest::addColumn<MenuId>("menu");
        QTest::addColumn<int>("menuHeight");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("left half")
            << QRect(100, 200, 97, 30) << MenuId::Main << 146 << QPoint(148, 215);
        QTest::newRow("last column of left half")
            << QRect(399, 200, 97, 30) << MenuId::Main << 146 << QPoint(447, 215);
        QTest::newRow("right half opens leftwards")
            << QRect(400, 200, 97, 30) << MenuId::Main << 146 << QPoint(258, 215);
        QTest::newRow("LRM steps by the main width")
            << QRect(500, 100, 97, 30) << MenuId::LRM << 74 << QPoint(358, 115);
        QTest::newRow("near the bottom opens upwards")
            << QRect(100, 460, 97, 30) << MenuId::Main << 146 << QPoint(148, 329);
        QTest::newRow("just fits downwards")
            << QRect(100, 450, 97, 30) << MenuId::Main << 146 << QPoint(148, 465);
        QTest::newRow("exactly at the edge")
            << QRect(100, 454, 97, 30) << MenuId::Main << 146 << QPoint(148, 323);
        QTest::newRow("short menu without macros")
            << QRect(100, 460, 97, 30) << MenuId::Main << 122 << QPoint(148, 475);
        QTest::newRow("LRM never opens upwards")
            << QRect(100, 560, 97, 30) << MenuId::LRM << 74 << QPoint(148, 575);
    }
    void buttonMenuPosition()
    {
        QFETCH(QRect, label);
        QFETCH(MenuId, menu);
        QFETCH(int, menuHeight);
        QFETCH(QPoint, position);
        QCOMPARE(ButtonMenuPosition(label, menu, menuHeight), position);
    }

    void subMenuPosition_data()
    {
        QTest::addColumn<QPoint>("mainMenu");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("height");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("right of main") << QPoint(148, 215) << 0 << 122 << QPoint(336, 216);
        QTest::newRow("left of main, overlapping")
            << QPoint(420, 215) << 0 << 122 << QPoint(258, 216);
        QTest::newRow("main at 399") << QPoint(399, 100) << 2 << 170 << QPoint(587, 149);
        QTest::newRow("lifted at the bottom") << QPoint(148, 400) << 2 << 170 << QPoint(336, 303);
        QTest::newRow("ends at 599") << QPoint(148, 380) << 2 << 170 << QPoint(336, 429);
        QTest::newRow("reaches 600") << QPoint(148, 381) << 2 << 170 << QPoint(336, 284);
    }
    void subMenuPosition()
    {
        QFETCH(QPoint, mainMenu);
        QFETCH(int, entry);
        QFETCH(int, height);
        QFETCH(QPoint, position);
        QCOMPARE(SubMenuPosition(mainMenu, MenuEntryRect(MenuId::Main, entry), height), position);
    }

    void specialSubMenuFollowsTheMainMenusSide()
    {
        const QRect fireEntry = MenuEntryRect(MenuId::Special, 1);
        QCOMPARE(fireEntry, QRect(2, 25, 160, 24));
        // The special menu itself may lie on either side; the main menu decides.
        QCOMPARE(SpecialSubMenuPosition({100, 50}, {288, 450}, fireEntry), QPoint(450, 475));
        QCOMPARE(SpecialSubMenuPosition({450, 50}, {288, 450}, fireEntry), QPoint(126, 475));
    }

    void finalEntriesAssignTheirChoice()
    {
        int finals = 0;
        for (MenuId menu : {MenuId::MseKey, MenuId::Special, MenuId::ACPI, MenuId::Fire,
                            MenuId::Media, MenuId::WWW, MenuId::LRM}) {
            const QList<MenuEntry> entries = MenuEntries(menu);
            for (const MenuEntry &e : entries) {
                QVERIFY(e.objectName.startsWith(QLatin1String("Key_")));
                QVERIFY2(!e.textKey.isEmpty(), qPrintable(e.objectName));
                if (e.opensSubMenu)
                    continue;
                QVERIFY2(!CodeFromChoice(e.tag, CodeTextContext{}).isEmpty(),
                         qPrintable(e.objectName));
                if (menu != MenuId::LRM)
                    ++finals;
            }
        }
        QCOMPARE(finals, 35);
        QVERIFY(MenuEntries(MenuId::MacroList).isEmpty());
    }

    // Which entries lie inside their panel, the way the panel height hides them.
    static QStringList reachable(MenuId menu, int height)
    {
        QStringList names;
        const QList<MenuEntry> entries = MenuEntries(menu);
        for (int i = 0; i < entries.size(); ++i) {
            if (MenuEntryRect(menu, i).bottom() < height)
                names << entries[i].objectName;
        }
        return names;
    }

    void panelHeightsHideEntries()
    {
        QCOMPARE(MenuSize(MenuId::Special, false, 58), QSize(164, 266));
        QVERIFY(reachable(MenuId::Special, SpecialMenuHeight(58)).contains("Key_CPID"));
        const QStringList layout42 = reachable(MenuId::Special, SpecialMenuHeight(42));
        QCOMPARE(layout42.size(), 9);
        QVERIFY(!layout42.contains("Key_CPII") && !layout42.contains("Key_CPID"));
        QCOMPARE(SpecialMenuHeight(0), SpecialMenuHeight(42));

        QCOMPARE(reachable(MenuId::Main, MainMenuHeight(true)).last(), QStringLiteral("Key_Macro"));
        QCOMPARE(reachable(MenuId::Main, MainMenuHeight(false)).last(),
                 QStringLiteral("Key_Assembly"));
        for (MenuId menu : {MenuId::LRM, MenuId::MseKey, MenuId::ACPI, MenuId::Fire, MenuId::Media,
                            MenuId::WWW}) {
            const QSize size = MenuSize(menu, true, 58);
            QCOMPARE(reachable(menu, size.height()).size(), MenuEntries(menu).size());
            QCOMPARE(size.height(), 2 + kMenuEntryHeight * int(MenuEntries(menu).size()));
        }
    }

    void menuForButton()
    {
        QCOMPARE(MenuForButton(3), MenuId::LRM);
        QCOMPARE(MenuForButton(4), MenuId::Main);
        QCOMPARE(MenuForButton(12), MenuId::Main);
    }

    void openMenusWhileMoving()
    {
        const MenuSet main = menuBit(MenuId::Main);
        const MenuSet special = menuBit(MenuId::Special);
        const MenuSet acpi = menuBit(MenuId::ACPI);
        const MenuSet fire = menuBit(MenuId::Fire);
        const MenuSet list = menuBit(MenuId::MacroList);

        QCOMPARE(MenusAfterBranchEnter(1, main | special | acpi, false),
                 main | menuBit(MenuId::MseKey));
        QCOMPARE(MenusAfterBranchEnter(5, main | special | fire, false), main | special | acpi);
        QCOMPARE(MenusAfterBranchEnter(7, main | menuBit(MenuId::Media), false), main);
        QCOMPARE(MenusAfterBranchEnter(7, main | menuBit(MenuId::Media), true), main | list);
        QCOMPARE(MenusAfterBranchEnter(7, main | list, false), main | list);
        QCOMPARE(MenusAfterBranchEnter(2, main | list, true), main | special);
        QCOMPARE(MenusAfterBranchEnter(0, main | special, true), main | special);
        QCOMPARE(MenusAfterBranchEnter(8, main | special, true), main | special);

        QCOMPARE(MenusAfterFinalEnter(MenuId::Special, main | special | acpi), main | special);
        QCOMPARE(MenusAfterFinalEnter(MenuId::Main, main | special | fire | list), main);
        QCOMPARE(MenusAfterFinalEnter(MenuId::Media, main | menuBit(MenuId::Media)),
                 main | menuBit(MenuId::Media));
    }
};

QTEST_GUILESS_MAIN(TestMenuLayout)
#include "test_menu_layout.moc"
