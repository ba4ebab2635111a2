#include "button_page_fixture.h"

#include "ui/language.h"

#include <QListWidget>

class TestButtonPages : public QObject
{
    Q_OBJECT
private slots:
    void menusStartHiddenBelowTheClientArea();
    void backForButtonFiveOnMain();
    void ledModeForButtonTwelve();
    void middleKeyExchangeOnSwitch();
    void fixedPageStoresNothing();
    void mainMenuOpensUpwardsNearTheBottom();
    void subMenusOnTheRightHalf();
    void hoverHighlightAndHideRules();
    void macroEntryWithoutMacrosOpensNothing();
    void cpiPlusAndMinusUnreachableOnLayout42();
    void clickAwayClosesEveryMenu();
    void exchangeAndDialogAfterALanguageSwitch();
};

void TestButtonPages::menusStartHiddenBelowTheClientArea()
{
    ButtonPageWindow w;
    const QRect clientArea(0, 0, 800, 600);
    for (const char *name : {"Pnl_LRM", "Pnl_Main", "Pnl_MseKey", "Pnl_Special", "Pnl_ACPI",
                             "Pnl_Media", "Pnl_WWW", "Pnl_Fire", "LB_Name"}) {
        QWidget *menu = w.get(QString::fromLatin1(name));
        QVERIFY2(menu->isHidden(), name);
        QVERIFY2(!clientArea.intersects(menu->geometry()), name);
    }
    QCOMPARE(w.get("Pnl_Main")->size(), QSize(190, 146));
    QCOMPARE(w.get("Pnl_LRM")->size(), QSize(164, 74));
    QCOMPARE(w.get("Pnl_Special")->size(), QSize(164, 266));
    QCOMPARE(w.get("Pnl_Media")->size(), QSize(164, 170));
    QCOMPARE(w.get("LB_Name")->size(), QSize(164, 100));
    QCOMPARE(w.get<QListWidget>("LB_Name")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // Rows of 24 pixels at left 2, captions from the language with the bullet.
    QCOMPARE(w.get("Key_WWW")->geometry(), QRect(2, 73, 186, 24));
    QCOMPARE(w.get("Key_Mute")->geometry(), QRect(2, 145, 160, 24));
    QCOMPARE(w.get<QLabel>("Key_B4")->text(), QStringLiteral(" * Back"));
    QCOMPARE(w.get<QLabel>("Key_Standard")->text(), QStringLiteral(" * Standard Mouse Key"));
    QCOMPARE(w.get<QLabel>("ST_Standard")->text(), QStringLiteral(">>"));
    QCOMPARE(w.get<QLabel>("ST_Fire")->parentWidget(), w.get("Key_Fire"));
}

void TestButtonPages::backForButtonFiveOnMain()
{
    ButtonPageWindow w;
    const QByteArray profile2 = w.config.sections().Profile.mid(48, 48);
    w.click("Key5");
    QVERIFY(w.shown("Pnl_Main"));
    QCOMPARE(w.config.buttonAssignment().currentButton(), 5);
    // Key5 at (214, 282), 97 x 30: the menu opens at its middle, towards the right.
    QCOMPARE(w.get("Pnl_Main")->pos(), QPoint(214 + 48, 282 + 15));
    QCOMPARE(w.get<SkinLabel>("Key5")->textColour(), QColor(Qt::white));

    w.enter(w.get("Key_Standard"));
    QVERIFY(w.shown("Pnl_MseKey"));
    QCOMPARE(w.get("Pnl_MseKey")->pos(), QPoint(262 + 2 + 186, 297 + 1));
    w.choose("Key_B4");

    QCOMPARE(w.caption(5), QStringLiteral("Back"));
    QCOMPARE(w.code(1, 5), bytes({0x01, 0x08, 0x00, 0x00}));
    QCOMPARE(w.config.ProfileCodeStrings()[0][4], QStringLiteral("01080000"));
    QCOMPARE(w.config.sections().Profile.mid(48, 48), profile2);
    QVERIFY(!w.shown("Pnl_Main"));
    QVERIFY(!w.shown("Pnl_MseKey"));
}

void TestButtonPages::ledModeForButtonTwelve()
{
    ButtonPageWindow w;
    // The language-1 layout leaves button 12 out; a layout enabling it puts it here.
    w.get("Key12")->move(562, 382);
    w.get("Key12")->raise();
    w.click("Key12");
    QCOMPARE(w.config.buttonAssignment().currentButton(), 12);
    QCOMPARE(w.get("Pnl_Main")->pos(), QPoint(562 + 48 - 190, 382 + 15));
    w.enter(w.get("Key_Special"));
    QVERIFY(w.shown("Pnl_Special"));
    w.choose("Key_LEDMode");
    QCOMPARE(w.caption(12), QStringLiteral("LED Mode"));
    QCOMPARE(w.code(1, 12), bytes({0x0E, 0x00, 0x00, 0x00}));
    QCOMPARE(w.config.sections().Profile.mid(44, 4), bytes({0x0E, 0x00, 0x00, 0x00}));
}

void TestButtonPages::middleKeyExchangeOnSwitch()
{
    ButtonPageWindow w;
    // The Switch page opens only once a Main button is the keyboard switch key.
    w.click("Key4");
    w.enter(w.get("Key_Special"));
    w.choose("Key_Profile");
    const QByteArray profile1 = w.config.sections().Profile.left(48);
    w.click("Btn_Switch");
    QCOMPARE(w.port->skin().currentPage(), Configuration::Page::Switch);
    QCOMPARE(w.caption(1), QStringLiteral("Left Key"));
    QCOMPARE(w.caption(2), QStringLiteral("Right Key"));
    QCOMPARE(w.caption(3), QStringLiteral("Middle Key"));

    w.click("Key1");
    QVERIFY(w.shown("Pnl_LRM"));
    QCOMPARE(w.get("Pnl_LRM")->pos(), QPoint(214 + 48, 132 + 15));
    w.choose("Key_M");
    QVERIFY(!w.shown("Pnl_LRM"));
    QCOMPARE(w.caption(1), QStringLiteral("Middle Key"));
    QCOMPARE(w.caption(2), QStringLiteral("Right Key"));
    QCOMPARE(w.caption(3), QStringLiteral("Left Key"));
    QCOMPARE(w.code(2, 1), bytes({0x01, 0x04, 0x00, 0x00}));
    QCOMPARE(w.code(2, 2), bytes({0x01, 0x02, 0x00, 0x00}));
    QCOMPARE(w.code(2, 3), bytes({0x01, 0x01, 0x00, 0x00}));
    QCOMPARE(w.config.sections().Profile.left(48), profile1);

    // Key2 on the right half opens its menu towards the middle.
    w.click("Key2");
    QCOMPARE(w.get("Pnl_LRM")->pos(), QPoint(562 + 48 - 190, 132 + 15));
}

void TestButtonPages::fixedPageStoresNothing()
{
    ButtonPageWindow w;
    w.click("Key4");
    w.enter(w.get("Key_Special"));
    w.choose("Key_Profile");
    w.click("Btn_Switch");
    w.click("Key9");
    w.enter(w.get("Key_Special"));
    w.choose("Key_Default");
    // The language-1 layout leaves Btn_Fixed out; its click as another layout gives it.
    w.port->skin().pageButtonClick(Configuration::Page::Fixed);
    QCOMPARE(w.port->skin().currentPage(), Configuration::Page::Fixed);
    const QByteArray before = w.config.sections().Profile;
    const QStringList captions = w.config.buttonAssignment().captions();

    // The cover lies over the labels: a click on Key5 reaches the cover only.
    w.click("Key5");
    QVERIFY(!w.shown("Pnl_Main"));
    // Key1 reaches above the cover; its menu opens, but a choice stores nothing.
    w.clickAt(w.get("Key1")->pos() + QPoint(48, 4));
    QVERIFY(w.shown("Pnl_LRM"));
    w.choose("Key_R");
    // Key_AssemblyClick's dialog cannot store either.
    w.pages().Key_AssemblyClick();
    w.config.buttonAssignment().setPendingKeyCombination(QStringLiteral("A"),
                                                         QStringLiteral("02000400"));
    w.pages().ApplyKeyCombination();
    QCOMPARE(w.config.sections().Profile, before);
    QCOMPARE(w.config.buttonAssignment().captions(), captions);
    QCOMPARE(w.caption(1), captions[0]);
    QCOMPARE(w.caption(2), captions[1]);
}

void TestButtonPages::mainMenuOpensUpwardsNearTheBottom()
{
    ButtonPageWindow w;
    QWidget *key = w.get("Key9");
    key->move(562, 460);
    w.click("Key9");
    QCOMPARE(w.get("Pnl_Main")->geometry(), QRect(562 + 48 - 190, 329, 190, 146));
    key->move(562, 450);
    w.click("Key9");
    QCOMPARE(w.get("Pnl_Main")->y(), 465);

    // A sub-menu that would reach the bottom edge ends with its entry instead.
    key->move(214, 450);
    w.click("Key9");
    QCOMPARE(w.get("Pnl_Main")->pos(), QPoint(262, 465));
    w.enter(w.get("Key_WWW"));
    QCOMPARE(w.get("Pnl_WWW")->pos(), QPoint(262 + 188, 465 + 73 + 24 - 170));
}

void TestButtonPages::subMenusOnTheRightHalf()
{
    ButtonPageWindow w;
    w.click("Key6"); // (562, 232): right half
    const QPoint main = w.get("Pnl_Main")->pos();
    QCOMPARE(main, QPoint(420, 247));
    w.enter(w.get("Key_Standard"));
    QCOMPARE(w.get("Pnl_MseKey")->pos(), QPoint(main.x() - 162, main.y() + 1));
    w.enter(w.get("Key_Special"));
    QVERIFY(!w.shown("Pnl_MseKey"));
    const QPoint special = w.get("Pnl_Special")->pos();
    QCOMPARE(special, QPoint(main.x() - 162, main.y() + 25));
    w.enter(w.get("Key_Fire"));
    QCOMPARE(w.get("Pnl_Fire")->pos(), QPoint(special.x() - 162, special.y() + 25));
    QVERIFY(w.shown("Pnl_Special"));
    QVERIFY(w.shown("Pnl_Main"));
    w.choose("Key_FireMode2");
    QCOMPARE(w.caption(6), QStringLiteral("Fire2 Key"));
    QCOMPARE(w.code(1, 6).left(2), bytes({0x06, 0x12}));
}

void TestButtonPages::hoverHighlightAndHideRules()
{
    ButtonPageWindow w;
    w.click("Key4");
    MenuEntryLabel *special = w.entry("Key_Special");
    w.enter(special);
    QVERIFY(special->highlighted());
    QCOMPARE(special->textColour(), QColor(Qt::white));
    QCOMPARE(MenuEntryLabel::kHighlight, QColor(0, 128, 128));
    w.leave(special);
    QVERIFY(!special->highlighted());
    QCOMPARE(special->textColour(), QColor(Qt::black));
    QVERIFY(w.shown("Pnl_Special")); // stays open for the pointer to move in

    w.enter(w.get("Key_ACPI"));
    QVERIFY(w.shown("Pnl_ACPI"));
    // A final entry of the special menu closes the ACPI and fire menus only.
    w.enter(w.get("Key_AIM"));
    QVERIFY(!w.shown("Pnl_ACPI"));
    QVERIFY(w.shown("Pnl_Special"));
    // A final entry of a sub-menu changes nothing else.
    w.enter(w.get("Key_Media"));
    w.enter(w.get("Key_Mute"));
    QVERIFY(w.shown("Pnl_Media"));
    QVERIFY(!w.shown("Pnl_Special"));
    // User-defined closes every sub-menu.
    w.enter(w.get("Key_Assembly"));
    QVERIFY(!w.shown("Pnl_Media"));
    QVERIFY(w.shown("Pnl_Main"));
    QVERIFY(w.entry("Key_Assembly")->highlighted());
}

void TestButtonPages::macroEntryWithoutMacrosOpensNothing()
{
    ButtonPageWindow w;
    w.config.MacroNames = [] { return QStringList(); };
    w.click("Key7");
    w.enter(w.get("Key_Macro"));
    QVERIFY(!w.shown("LB_Name"));
    QVERIFY(w.shown("Pnl_Main"));
    // Its click opens the key-combination dialog, like User-defined.
    w.click("Key_Macro");
    QVERIFY(w.pages().keyCombinationDialog());
    QVERIFY(w.pages().keyCombinationDialog()->isVisible());
    QVERIFY(!w.shown("Pnl_Main"));
}

void TestButtonPages::cpiPlusAndMinusUnreachableOnLayout42()
{
    ButtonPageWindow w([](Configuration &config) {
        config.image().DataBuf[1] = char(29);
        config.takeImageIdentity();
    });
    QCOMPARE(w.get("Pnl_Special")->height(), 218);
    w.click("Key4");
    w.enter(w.get("Key_Special"));
    QWidget *panel = w.get("Pnl_Special");
    for (const char *name : {"Key_CPII", "Key_CPID"}) {
        QWidget *entry = w.get(QString::fromLatin1(name));
        const QPoint middle = panel->pos() + entry->geometry().center();
        QVERIFY2(w.client.childAt(middle) != entry, name);
    }
    // CPI, the last row that fits, can still be chosen.
    w.choose("Key_CPI");
    QCOMPARE(w.code(1, 4), bytes({0x09, 0x00, 0x00, 0x00}));
}

void TestButtonPages::clickAwayClosesEveryMenu()
{
    ButtonPageWindow w;
    w.click("Key4");
    w.enter(w.get("Key_Media"));
    QVERIFY(w.shown("Pnl_Media"));
    w.clickAt(QPoint(700, 560)); // the background below the pages
    QVERIFY(!w.shown("Pnl_Main"));
    QVERIFY(!w.shown("Pnl_Media"));
    w.click("Key8");
    w.enter(w.get("Key_WWW"));
    w.port->HideAllMenu(); // a device transfer, a page switch
    QVERIFY(!w.shown("Pnl_Main"));
    QVERIFY(!w.shown("Pnl_WWW"));
}

void TestButtonPages::exchangeAndDialogAfterALanguageSwitch()
{
    ButtonPageWindow w;
    w.click("Key7");
    w.choose("Key_Assembly");
    const auto lang2 = [](const char *key) {
        return LanguageText(OpenLanguage(2), QString::fromLatin1(key));
    };
    w.click("Btn_Lang2");
    QCOMPARE(w.get<QLabel>("Key_R")->text(),
             QStringLiteral(" ") + lang2("Str200") + QStringLiteral(" ") + lang2("Str211"));
    QCOMPARE(w.caption(2), lang2("Str211"));
    QCOMPARE(w.pages().keyCombinationDialog()->findChild<QLabel *>("lbl_Assembly")->text(),
             lang2("Str500"));

    // Buttons 1 and 2 still exchange, compared in the new language.
    w.click("Key1");
    w.choose("Key_R");
    QCOMPARE(w.caption(1), lang2("Str211"));
    QCOMPARE(w.caption(2), lang2("Str210"));
    QCOMPARE(w.code(1, 1), bytes({0x01, 0x02, 0x00, 0x00}));
    QCOMPARE(w.code(1, 2), bytes({0x01, 0x01, 0x00, 0x00}));
}

QTEST_MAIN(TestButtonPages)
#include "test_button_pages.moc"
