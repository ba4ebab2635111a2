#include "button_page_input.h"

#include "image/image_layout.h"
#include "ui/language.h"
#include "ui/skinned_content.h"

#include <QListWidget>

class TestButtonPages : public QObject
{
    Q_OBJECT
private slots:
    void backForButtonFiveOnMain();
    void switchExchangesAndFixedStoresNothing();
    void menuPlacementAndLedModeForButtonTwelve();
    void hoverHighlightAndHideRules();
    void macroForButtonSixReachesTheMouseWithApply();
    void layout42Menus();
    void exchangeAndDialogAfterALanguageSwitch();
    void theSelectedTabIsTheProfileEdited();
    void aMenuOpenWhenTheMouseGoesIsClosed();
};

void TestButtonPages::backForButtonFiveOnMain()
{
    ButtonWindow w;
    const QByteArray profile2 = w.config().sections().Profile.mid(48, 48);
    w.click("Key5"); // at (214, 282), 97 x 30
    QCOMPARE(w.get("Pnl_Main")->geometry(), QRect(214 + 48, 282 + 15, 190, 146));
    QCOMPARE(w.get<SkinLabel>("Key5")->textColour(), QColor(Qt::white));
    QCOMPARE(w.caption("Key_Standard"), QStringLiteral(" * Standard Mouse Key"));
    w.enter("Key_Standard");
    QCOMPARE(w.get("Pnl_MseKey")->geometry(), QRect(262 + 2 + 186, 297 + 1, 164, 122));
    w.choose("Key_B4");
    QCOMPARE(w.caption("Key5"), QStringLiteral("Back"));
    QCOMPARE(w.code(1, 5), QByteArray::fromHex("01080000"));
    QCOMPARE(w.config().sections().Profile.mid(48, 48), profile2);
    QVERIFY(!w.open("Pnl_Main") && !w.open("Pnl_MseKey") && w.get("Pnl_Main")->y() < 600);
}

void TestButtonPages::switchExchangesAndFixedStoresNothing()
{
    ButtonWindow w;
    w.click("Key4"); // the Switch page needs a Main button with the switch function
    w.enter("Key_Special");
    w.choose("Key_Profile");
    const QByteArray profile1 = w.config().sections().Profile.left(48);
    w.click("Btn_Switch");
    QCOMPARE(w.config().currentPage(), Configuration::Page::Switch);
    w.click("Key1");
    QCOMPARE(w.get("Pnl_LRM")->geometry(), QRect(214 + 48, 132 + 15, 164, 74));
    w.choose("Key_M");
    QVERIFY(!w.open("Pnl_LRM"));
    QCOMPARE(w.caption("Key1"), QStringLiteral("Middle Key"));
    QCOMPARE(w.caption("Key2"), QStringLiteral("Right Key"));
    QCOMPARE(w.caption("Key3"), QStringLiteral("Left Key"));
    QCOMPARE(w.config().sections().Profile.mid(48, 12),
             QByteArray::fromHex("010400000102000001010000"));
    QCOMPARE(w.config().sections().Profile.left(48), profile1);

    w.click("Key9");
    w.enter("Key_Special");
    w.choose("Key_Default");
    // The language-1 layout leaves Btn_Fixed out; its click as another layout gives it.
    static_cast<SkinnedContentPort &>(w.window->content())
        .skin()
        .pageButtonClick(Configuration::Page::Fixed);
    QCOMPARE(w.config().currentPage(), Configuration::Page::Fixed);
    const QByteArray before = w.config().sections().Profile;
    const QString key1 = w.caption("Key1");
    w.click("Key5"); // lands on the read-only cover
    QVERIFY(!w.open("Pnl_Main"));
    w.clickAt(w.get("Key1")->pos() + QPoint(48, 4)); // Key1 reaches above the cover
    QVERIFY(w.open("Pnl_LRM"));
    w.choose("Key_R");
    w.config().buttonAssignment().setPendingKeyCombination("A", FunctionCode::fromWord(0x02000400));
    w.pages().ApplyKeyCombination();
    QCOMPARE(w.config().sections().Profile, before);
    QCOMPARE(w.caption("Key1"), key1);
}

void TestButtonPages::menuPlacementAndLedModeForButtonTwelve()
{
    ButtonWindow w;
    QWidget *key = w.get("Key9");
    key->move(562, 460); // opens upwards: 460 + 146 >= 600
    w.click("Key9");
    QCOMPARE(w.get("Pnl_Main")->pos(), QPoint(420, 329));
    key->move(562, 450);
    w.click("Key9");
    QCOMPARE(w.get("Pnl_Main")->pos(), QPoint(420, 465));
    // A sub-menu reaching the bottom edge ends with its entry instead.
    w.enter("Key_WWW");
    QCOMPARE(w.get("Pnl_WWW")->pos(), QPoint(420 - 162, 465 + 73 + 24 - 170));

    w.click("Key6"); // right half: sub-menus open to the left
    QCOMPARE(w.get("Pnl_Main")->pos(), QPoint(420, 247));
    w.enter("Key_Standard");
    QCOMPARE(w.get("Pnl_MseKey")->pos(), QPoint(420 - 162, 248));
    w.enter("Key_Special");
    QCOMPARE(w.get("Pnl_Special")->pos(), QPoint(420 - 162, 272));
    w.enter("Key_Fire");
    QCOMPARE(w.get("Pnl_Fire")->pos(), QPoint(258 - 162, 272 + 25));
    w.choose("Key_FireMode2");
    QCOMPARE(w.caption("Key6"), QStringLiteral("Fire2 Key"));
    QCOMPARE(w.code(1, 6).left(2), QByteArray::fromHex("0612"));

    w.get("Key12")->move(562, 382); // where a layout enabling button 12 puts it
    w.click("Key12");
    w.enter("Key_Special");
    w.choose("Key_LEDMode");
    QCOMPARE(w.caption("Key12"), QStringLiteral("LED Mode"));
    QCOMPARE(w.config().sections().Profile.mid(44, 4), QByteArray::fromHex("0E000000"));
}

void TestButtonPages::hoverHighlightAndHideRules()
{
    ButtonWindow w;
    w.click("Key4");
    auto *special = w.get<MenuEntryLabel>("Key_Special");
    w.enter("Key_Special");
    QVERIFY(special->highlighted() && special->textColour() == QColor(Qt::white));
    QCOMPARE(special->grab().toImage().pixelColor(3, 3), QColor(0, 128, 128));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(special, &leave);
    QVERIFY(!special->highlighted() && special->textColour() == QColor(Qt::black));
    QVERIFY(w.open("Pnl_Special")); // stays for the pointer to move in
    w.enter("Key_ACPI");
    QVERIFY(w.open("Pnl_ACPI"));
    w.enter("Key_AIM"); // closes the ACPI and fire menus only
    QVERIFY(!w.open("Pnl_ACPI") && w.open("Pnl_Special"));
    w.enter("Key_Media");
    w.enter("Key_Mute");
    QVERIFY(w.open("Pnl_Media") && !w.open("Pnl_Special"));
    w.enter("Key_Assembly"); // closes every sub-menu
    QVERIFY(!w.open("Pnl_Media") && w.open("Pnl_Main"));
    w.clickAt(QPoint(700, 480)); // the background: click-away
    QVERIFY(!w.open("Pnl_Main"));
}

void TestButtonPages::macroForButtonSixReachesTheMouseWithApply()
{
    ButtonWindow w;
    w.click("Key6");
    w.enter("Key_Macro");
    auto *picker = w.get<QListWidget>("LB_Name");
    QVERIFY(w.open("LB_Name"));
    QCOMPARE(picker->geometry(), QRect(420 - 162, 247 + 121, 164, 100));
    QCOMPARE(picker->count(), 32);
    const QString name = picker->item(2)->text();
    QTest::mouseClick(picker->viewport(), Qt::LeftButton, {},
                      picker->visualItemRect(picker->item(2)).center());
    QVERIFY(!w.open("LB_Name") && !w.open("Pnl_Main"));
    QCOMPARE(w.code(1, 6), QByteArray::fromHex("10880000"));
    QCOMPARE(w.caption("Key6"), name);

    const int at = kProfileOffset + ProfileCodeOffset(1, 6);
    const QByteArray before = w.mouse.memoryBytes();
    QVERIFY(before.indexOf(w.config().image().DataBuf) >= 0); // as read, without the macro
    w.click("Btn_Apply");
    const QByteArray written = w.config().image().DataBuf;
    QCOMPARE(written.mid(at, 4), QByteArray::fromHex("10880000"));
    QVERIFY(w.mouse.memoryBytes().indexOf(written) >= 0);
    QVERIFY(before.indexOf(written) < 0);

    // Without macro names the macro entry opens nothing, and its click opens the dialog.
    w.config().setMacroNameList(nullptr);
    w.click("Key7");
    w.enter("Key_Macro");
    QVERIFY(!w.open("LB_Name"));
    w.click("Key_Macro");
    QVERIFY(w.pages().keyCombinationDialog()->isVisible());
}

void TestButtonPages::layout42Menus()
{
    // The special menu's height follows the embedded image's layout.
    QWidget client;
    Configuration config;
    config.startUp();
    config.image().DataBuf[kLayoutByteOffset] = char(kLayoutByte42);
    config.takeImageIdentity();
    ButtonPages pages(&client, config);
    client.show();
    MenuPanel *special = pages.panel(MenuId::Special);
    special->show();
    QCOMPARE(special->height(), 218);
    for (const char *name : {"Key_CPII", "Key_CPID"}) {
        auto *entry = special->findChild<QWidget *>(QString::fromLatin1(name));
        QCOMPARE(special->childAt(entry->geometry().center()), nullptr);
    }
    auto *cpi = special->findChild<QWidget *>(QStringLiteral("Key_CPI"));
    QCOMPARE(special->childAt(cpi->geometry().center()), cpi);
}

void TestButtonPages::exchangeAndDialogAfterALanguageSwitch()
{
    ButtonWindow w;
    w.click("Key7");
    w.choose("Key_Assembly");
    const LanguageTable lang2 = OpenLanguage(2);
    const auto text = [&lang2](const char *key) {
        return LanguageText(lang2, QString::fromLatin1(key));
    };
    w.click("Btn_Lang2");
    QCOMPARE(w.caption("Key_R"), " " + text("Str200") + " " + text("Str211"));
    QCOMPARE(w.caption("lbl_Assembly"), text("Str500"));
    w.click("Key1"); // still an exchange, compared in the new language
    w.choose("Key_R");
    QCOMPARE(w.caption("Key1"), text("Str211"));
    QCOMPARE(w.caption("Key2"), text("Str210"));
    QCOMPARE(w.config().sections().Profile.left(8), QByteArray::fromHex("0102000001010000"));
}

QTEST_MAIN(TestButtonPages)
#include "test_button_pages.moc"

// A mouse that starts in the Switch profile without a switch key on Main:
// the read opens the Switch tab and says why the buttons cannot reach it; an
// edit of button 4 lands in the profile of the selected tab, also after a
// language switch.
void TestButtonPages::theSelectedTabIsTheProfileEdited()
{
    ButtonWindow w(QStringLiteral("b58"), switchProfileImageWithoutSwitchKey());
    QCOMPARE(w.messages.seen.size(), 1);
    QCOMPARE(w.messages.seen.constFirst().text, LanguageText(OpenLanguage(1), u"Str020"));
    QCOMPARE(w.config().currentPage(), Configuration::Page::Switch);
    QCOMPARE(w.pictureOf("Img_Switch"), QStringLiteral("SetS_02"));
    QCOMPARE(w.pictureOf("Img_Main"), QStringLiteral("SetS_01"));
    QVERIFY(w.shown("Img_P1") && !w.shown("Disable"));

    const QByteArray mainProfile = w.config().sections().Profile.left(48);
    w.click("Key4");
    w.enter("Key_Standard");
    w.choose("Key_B4");
    QCOMPARE(w.code(SwitchProfile, 4), QByteArray::fromHex("01080000"));
    QCOMPARE(w.config().sections().Profile.left(48), mainProfile);
    QCOMPARE(w.caption("Key4"), QStringLiteral("Back"));

    static_cast<SkinnedContentPort &>(w.window->content()).skin().languageButtonClick(2);
    QCOMPARE(w.pictureOf("Img_Switch"), QStringLiteral("SetS_02"));
    QCOMPARE(w.caption("Key4"), LanguageText(OpenLanguage(2), u"Str213"));
    w.click("Key5");
    w.enter("Key_Standard");
    w.choose("Key_B5");
    QCOMPARE(w.code(SwitchProfile, 5), QByteArray::fromHex("01100000"));
    // Every caption is in the new language, also those the edit re-rendered.
    QCOMPARE(w.caption("Key4"), LanguageText(OpenLanguage(2), u"Str213"));
    QCOMPARE(w.config().sections().Profile.left(48), mainProfile);
}

void TestButtonPages::aMenuOpenWhenTheMouseGoesIsClosed()
{
    ButtonWindow w;
    w.click("Key5");
    QVERIFY(w.open("Pnl_Main"));
    w.mouse.setPlugged(false);
    w.window->DevTimerTimer();
    QVERIFY(!w.open("Pnl_Main"));
    QVERIFY(w.shown(QStringLiteral("lbl_NoDev")));
}
