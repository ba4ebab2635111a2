#include "configuration/configuration.h"
#include "ui/ini_text.h"
#include "ui/language.h"
#include "ui/skin_label.h"
#include "ui/skin_picture.h"
#include "ui/skinned_content.h"
#include "ui/web_address.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The window's start-up steps that concern the skin, on a bare 800 x 600
// client, without a mouse.
struct Window
{
    Window()
    {
        client.resize(800, 600);
        configuration.startUp();
        content = std::make_unique<SkinnedContent>(&client, configuration);
        content->loadSkinPictures();
        content->applyWebLink();
        configuration.state().CurrentLanguage = 1;
        content->applyLanguage(1);
        content->applyMacroNameHeight();
        content->languageButtonClick(1);
        client.show();
    }
    void plugIn()
    {
        configuration.state().CommandHandle = 1;
        configuration.state().DataHandle = 2;
    }
    template <typename T = QWidget> T *get(const QString &name)
    {
        T *found = client.findChild<T *>(name);
        if (!found)
            qFatal("no element %s", qPrintable(name));
        return found;
    }
    QString pictureOf(const QString &name) { return get<SkinPicture>(name)->pictureName(); }

    QWidget client;
    Configuration configuration;
    std::unique_ptr<SkinnedContent> content;
};

void enter(QWidget *widget)
{
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(widget, &event);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

QString text(int language, const char *key)
{
    return LanguageText(OpenLanguage(language), QString::fromLatin1(key));
}

} // namespace

class TestSkinnedContent : public QObject
{
    Q_OBJECT
private slots:
    void startsOnTheMainPageWithTheLanguageOneLayout();
    void pageButtonWithoutMouseOnlyShowsItsNotice();
    void switchPageNeedsASwitchKeyOnMain();
    void fixedPageOpensReadOnly();
    void hoverPicturesOfEveryFamily();
    void marqueeScrollsTheCaptionAndRestoresIt();
    void languageTwoAndBackRetranslatesCaptions();
    void disabledElementsStayHiddenAndOutside();
    void badLayoutValueStopsWithItsMessage();
    void coversAndNoDeviceState();
    void commandButtonsBackgroundAndWebLink();
    void webAddressPrefersTheInstalledGuide();
    void menuEntriesAndTheInsertPanel();
};

void TestSkinnedContent::startsOnTheMainPageWithTheLanguageOneLayout()
{
    Window w;
    QCOMPARE(w.content->currentPage(), Configuration::Page::Main);
    QVERIFY(w.get("Img_P1")->isVisible());
    QVERIFY(!w.get("Img_P2")->isVisible());
    QCOMPARE(w.get("Img_P1")->pos(), QPoint(195, 104));
    QCOMPARE(w.get("Btn_Apply")->pos(), QPoint(6, 160));
    QCOMPARE(w.get("Img_Apply")->pos(), QPoint(6, 160));
    QCOMPARE(w.pictureOf("Img_Base"), QStringLiteral("L1_BackGround"));
    QCOMPARE(w.pictureOf("Img_Main"), QStringLiteral("SetS_02"));
    QCOMPARE(w.pictureOf("Img_Lang1"), QStringLiteral("SetS_02"));
    QCOMPARE(w.pictureOf("Img_Lang2"), QStringLiteral("SetS_01"));
    QCOMPARE(w.get<QLabel>("Btn_Confirm")->text(), QStringLiteral("Confirm"));
    QCOMPARE(w.get<QLabel>("Key1")->text(), text(1, "Str210"));
    // Disable lies over the advanced page's rectangle and is shown at start.
    QCOMPARE(w.get("Disable")->geometry(), w.get("Img_P2")->geometry());
    QVERIFY(w.get("Disable")->isVisible());
    QVERIFY(!w.get("Disable_All")->isVisible());
    QCOMPARE(w.content->applicationTitle(), text(1, "Title"));
    // Scales follow their origin: the tenth step of a scale at X 470.
    QCOMPARE(w.get("Img_Spd10")->pos(), QPoint(470 + 216, 200));
    QCOMPARE(w.get("lbl_Spd10")->pos(), QPoint(470 + 212, 208));
    QCOMPARE(w.get<QLineEdit>("Edt_Repeat1")->alignment() & Qt::AlignRight, Qt::AlignRight);
    // The delay options' texts end before the fixed-delay edit on their row.
    QVERIFY(w.get("IB_DelayTime")->geometry().right() < w.get("Edt_Delay")->x());
    QCOMPARE(w.get("IB_DelayTime")->x(), w.get("LED_DelayTime")->x() - 2);
}

void TestSkinnedContent::pageButtonWithoutMouseOnlyShowsItsNotice()
{
    Window w;
    QSignalSpy messages(w.content.get(), &SkinnedContent::messageRequested);
    QTest::mouseClick(w.get("Btn_Adv"), Qt::LeftButton);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0][0].toString(), QStringLiteral("The specified device not find"));
    QCOMPARE(w.content->currentPage(), Configuration::Page::Main);
    QVERIFY(w.get("Img_P1")->isVisible());
    QVERIFY(!w.get("Img_P2")->isVisible());
    QCOMPARE(w.pictureOf("Img_Main"), QStringLiteral("SetS_02"));

    // With a mouse whose no-device page is up, the click does nothing at all.
    w.plugIn();
    w.configuration.state().NoDevicePage = true;
    QTest::mouseClick(w.get("Btn_Adv"), Qt::LeftButton);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(w.content->currentPage(), Configuration::Page::Main);
}

void TestSkinnedContent::switchPageNeedsASwitchKeyOnMain()
{
    Window w;
    w.plugIn();
    QSignalSpy messages(w.content.get(), &SkinnedContent::messageRequested);
    QTest::mouseClick(w.get("Btn_Switch"), Qt::LeftButton);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0][0].toString(), text(1, "Str020"));
    QCOMPARE(w.content->currentPage(), Configuration::Page::Main);

    ButtonAssignmentModel &buttons = w.configuration.buttonAssignment();
    QVERIFY(buttons.setCurrentButton(6));
    QVERIFY(buttons.storeCode(FunctionCode::fromWord(0x07000000)));
    QTest::mouseClick(w.get("Btn_Switch"), Qt::LeftButton);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(w.content->currentPage(), Configuration::Page::Switch);
    QCOMPARE(w.pictureOf("Img_Switch"), QStringLiteral("SetS_02"));
    QCOMPARE(w.pictureOf("Img_Main"), QStringLiteral("SetS_01"));
    QVERIFY(w.get("Img_P1")->isVisible());
    QVERIFY(!w.get("Disable")->isVisible());

    // The advanced page opens too, with its own picture.
    QTest::mouseClick(w.get("Btn_Adv"), Qt::LeftButton);
    QVERIFY(w.get("Img_P2")->isVisible() && w.get("lbl_DPI3")->isVisible());
    QVERIFY(!w.get("Img_P1")->isVisible() && !w.get("Key1")->isVisible());
    QCOMPARE(w.pictureOf("Img_P2"), QStringLiteral("L1_Back2"));

    // The page shows what the advanced model holds, in the layout's colours.
    const AdvancedPageModel &advanced = w.configuration.advancedPage();
    for (int level = 1; level <= 8; ++level) {
        QCOMPARE(w.pictureOf(QStringLiteral("Img_DPI%1").arg(level)),
                 advanced.dpiMarkerLit(level) ? QStringLiteral("Bar2_E")
                                              : QStringLiteral("Bar2_D"));
        QCOMPARE(w.get<SkinLabel>(QStringLiteral("lbl_DPI%1").arg(level))->textColour(),
                 advanced.dpiLevelSelected(level) ? QColor(255, 0, 0) : QColor(255, 255, 255));
    }
    QCOMPARE(w.get<QLineEdit>("Edt_DelayTime3")->text(), advanced.delayText(3));

    // A language switch here renews only this page's picture.
    w.content->languageButtonClick(2);
    QCOMPARE(w.pictureOf("Img_P2"), QStringLiteral("L2_Back2"));
    QCOMPARE(w.pictureOf("Img_P1"), QStringLiteral("L1_Back1"));
    QVERIFY(w.get("Img_P2")->isVisible() && !w.get("Img_P1")->isVisible());
    QTest::mouseClick(w.get("Btn_Main"), Qt::LeftButton);
    QCOMPARE(w.pictureOf("Img_P1"), QStringLiteral("L2_Back1"));
}

void TestSkinnedContent::fixedPageOpensReadOnly()
{
    Window w;
    w.plugIn();
    QSignalSpy messages(w.content.get(), &SkinnedContent::messageRequested);
    w.content->pageButtonClick(Configuration::Page::Fixed);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0][0].toString(), text(1, "Str021"));

    ButtonAssignmentModel &buttons = w.configuration.buttonAssignment();
    w.configuration.setCurrentPage(Configuration::Page::Switch);
    QVERIFY(buttons.setCurrentButton(5));
    QVERIFY(buttons.storeCode(FunctionCode::fromWord(0x0D000000)));
    w.content->pageButtonClick(Configuration::Page::Fixed);
    QCOMPARE(w.content->currentPage(), Configuration::Page::Fixed);
    QVERIFY(w.get("Disable")->isVisible());
    QVERIFY(w.get<QLineEdit>("Edt_Repeat2")->isReadOnly());
    QVERIFY(!w.get("Gb_Delay")->isEnabled());
    // The cover lies in front of the button labels: no menu opens there.
    const QWidget *key = w.get("Key1");
    QCOMPARE(w.client.childAt(key->geometry().center()), w.get("Disable"));
}

void TestSkinnedContent::hoverPicturesOfEveryFamily()
{
    Window w;
    w.plugIn();
    struct Case
    {
        const char *label;
        const char *picture;
        const char *over;
        const char *normal;
    };
    const Case cases[] = {
        {"Btn_Apply", "Img_Apply", "BtnS_02", "BtnS_01"},
        {"Btn_Lang2", "Img_Lang2", "SetS_03", "SetS_01"},
        {"Key3", "Img_Key3", "KeyS_02", "KeyS_01"},
        {"Btn_Clear", "Img_Clear", "MacroS_02", "MacroS_01"},
        {"Btn_Start", "Img_Start", "MacroS_02", "MacroS_01"},
        {"Btn_OK", "Img_OK", "MacroBtnS_02", "MacroBtnS_01"},
        {"Btn_Web", "Img_Web", "WebS_03", "WebS_01"},
    };
    for (const Case &c : cases) {
        QWidget *label = w.get(QString::fromLatin1(c.label));
        enter(label);
        QCOMPARE(w.pictureOf(QString::fromLatin1(c.picture)), QString::fromLatin1(c.over));
        leave(label);
        QCOMPARE(w.pictureOf(QString::fromLatin1(c.picture)), QString::fromLatin1(c.normal));
    }

    // The record buttons tell the recorder the pointer is over them.
    enter(w.get("Btn_Start"));
    QVERIFY(w.content->overRecordButton());
    leave(w.get("Btn_Start"));
    QVERIFY(!w.content->overRecordButton());

    // Leaving a page button marks the current page's button again, and
    // leaving the current language's button marks it selected.
    enter(w.get("Btn_Adv"));
    QCOMPARE(w.pictureOf("Img_Adv"), QStringLiteral("SetS_03"));
    leave(w.get("Btn_Adv"));
    QCOMPARE(w.pictureOf("Img_Adv"), QStringLiteral("SetS_01"));
    QCOMPARE(w.pictureOf("Img_Main"), QStringLiteral("SetS_02"));
    enter(w.get("Btn_Lang1"));
    leave(w.get("Btn_Lang1"));
    QCOMPARE(w.pictureOf("Img_Lang1"), QStringLiteral("SetS_02"));
    // ... but not while the no-device page is up.
    w.configuration.state().NoDevicePage = true;
    w.get<SkinPicture>("Img_Main")->setPicture(QStringLiteral("SetS_01"));
    leave(w.get("Btn_Save"));
    QCOMPARE(w.pictureOf("Img_Main"), QStringLiteral("SetS_01"));

    // Macro buttons show their pressed picture; Save marks itself selected.
    QTest::mousePress(w.get("Btn_Del"), Qt::LeftButton);
    QCOMPARE(w.pictureOf("Img_Del"), QStringLiteral("MacroS_03"));
    QSignalSpy saves(w.content.get(), &SkinnedContent::saveClicked);
    QTest::mouseClick(w.get("Btn_Save"), Qt::LeftButton);
    QCOMPARE(saves.size(), 1);
    QCOMPARE(w.pictureOf("Img_Save"), QStringLiteral("SetS_02"));
}

void TestSkinnedContent::marqueeScrollsTheCaptionAndRestoresIt()
{
    Window w;
    auto *key = w.get<QLabel>("Key1");
    QCOMPARE(key->text(), QStringLiteral("Left Key"));
    QSignalSpy started(w.content.get(), &SkinnedContent::marqueeStarted);
    QSignalSpy stopped(w.content.get(), &SkinnedContent::marqueeStopped);
    enter(key);
    QCOMPARE(started.size(), 1);
    QVERIFY(w.content->labelRun()->isActive());
    QCOMPARE(w.content->labelRun()->interval(), 200);
    // The test drives the ticks itself, however slow the machine is.
    w.content->labelRun()->stop();
    w.content->labelRunTick();
    QCOMPARE(key->text(), QStringLiteral("eft Key    L"));
    w.content->labelRunTick();
    QCOMPARE(key->text(), QStringLiteral("ft Key    Le"));
    leave(key);
    QCOMPARE(key->text(), QStringLiteral("Left Key"));
    QCOMPARE(stopped.size(), 1);
    QVERIFY(!w.content->labelRun()->isActive());

    // A press ends it too, so a menu sees the real caption.
    enter(key);
    w.content->labelRun()->stop();
    w.content->labelRunTick();
    QTest::mousePress(key, Qt::LeftButton);
    QCOMPARE(key->text(), QStringLiteral("Left Key"));
    QCOMPARE(stopped.size(), 2);
}

void TestSkinnedContent::languageTwoAndBackRetranslatesCaptions()
{
    Window w;
    const QString composed = QStringLiteral("Ctrl + A");
    w.get<QLabel>("Key5")->setText(composed);
    auto *choices = w.get<QComboBox>("CB_Insert");
    choices->setCurrentIndex(2);
    QSignalSpy titles(w.content.get(), &SkinnedContent::titleChanged);

    QTest::mouseClick(w.get("Btn_Lang2"), Qt::LeftButton);
    QCOMPARE(w.configuration.state().CurrentLanguage, 2);
    QCOMPARE(w.get<QLabel>("Key1")->text(), text(2, "Str210"));
    QCOMPARE(w.get<QLabel>("Key5")->text(), composed);
    QCOMPARE(w.get<QLabel>("Btn_Confirm")->text(), text(2, "Str000"));
    QCOMPARE(w.get<QLabel>("lbl_NoDev")->text(), text(2, "Str100"));
    QCOMPARE(w.get<QLabel>("IB_InsertNoDelay")->text(), QString(7, ' ') + text(2, "Str416"));
    QCOMPARE(choices->currentIndex(), 2);
    QCOMPARE(choices->itemText(0), text(2, "Str410"));
    QCOMPARE(w.pictureOf("Img_Lang2"), QStringLiteral("SetS_02"));
    QCOMPARE(w.pictureOf("Img_Lang1"), QStringLiteral("SetS_01"));
    QCOMPARE(w.pictureOf("Img_Base"), QStringLiteral("L2_BackGround"));
    QCOMPARE(w.pictureOf("Img_P1"), QStringLiteral("L2_Back1"));
    QCOMPARE(w.content->storedText(QStringLiteral("Str022")), text(2, "Str022"));
    QVERIFY(!titles.isEmpty());
    QCOMPARE(titles.last()[0].toString(), text(2, "Title"));
    // Only the current page's picture follows the language.
    QCOMPARE(w.pictureOf("Img_P2"), QStringLiteral("L1_Back2"));

    QTest::mouseClick(w.get("Btn_Lang1"), Qt::LeftButton);
    QCOMPARE(w.get<QLabel>("Key1")->text(), QStringLiteral("Left Key"));
    QCOMPARE(w.get<QLabel>("Key5")->text(), composed);
    QCOMPARE(w.get<QLabel>("Btn_Confirm")->text(), QStringLiteral("Confirm"));
    QCOMPARE(w.content->applicationTitle(), text(1, "Title"));
}

void TestSkinnedContent::disabledElementsStayHiddenAndOutside()
{
    Window w;
    // The language-1 layout disables button 10.
    w.content->applyLayout(1);
    QVERIFY(!w.get("Key10")->isVisible());
    QVERIFY(!w.get("Img_Key10")->isVisible());
    const QRect window(0, 0, 800, 600);
    QVERIFY(!window.intersects(w.get("Key10")->geometry()));

    // Showing the page (as start-up does) makes it visible, but out of sight.
    w.content->refreshAPPage();
    QVERIFY(w.get("Key10")->isVisible());
    QVERIFY(!window.intersects(w.get("Key10")->geometry()));

    // Layouts that hide and show buttons as the reference layouts do: a
    // hidden element stays hidden where it was until a later layout enables
    // it again, and going back restores every element the first enables.
    using Overrides = QList<std::pair<QString, QString>>;
    const auto apply = [&w](const Overrides &overrides) {
        IniSection section; // the first entry of a key wins
        for (const auto &[key, value] : overrides)
            section.add(key, value);
        const IniSection shipped = openLayoutSection(1);
        for (const QString &key : shipped.keys())
            section.add(key, shipped.value(key).value_or(QString()));
        QVERIFY(w.content->applyPageLayout(readPageLayout(section)));
    };
    const Overrides reference1{{"Btn_B3_Enable", "0"}};
    const Overrides reference3{{"Btn_B3_Enable", "1"}, {"Btn_B8_Enable", "0"}};
    apply(reference1);
    QVERIFY(!w.get("Btn_Fixed")->isVisible());
    apply(reference3);
    QVERIFY(w.get("Btn_Fixed")->isVisible());
    QVERIFY(!w.get("Btn_Lang1")->isVisible());
    QCOMPARE(w.get("Img_Lang1")->pos(), QPoint(250, 558));
    apply(reference1);
    QVERIFY(w.get("Btn_Lang1")->isVisible() && w.get("Img_Lang1")->isVisible());
    QVERIFY(!w.get("Btn_Fixed")->isVisible());

    // The shipped layouts show every page and language button in every language.
    for (int language : {1, 2, 3, 1}) {
        w.content->languageButtonClick(language);
        for (const char *name : {"Btn_Main", "Btn_Switch", "Btn_Fixed", "Btn_Adv", "Btn_Breath",
                                 "Btn_Macro", "Btn_Lang1", "Btn_Lang2", "Btn_Lang3"}) {
            QVERIFY2(w.get(name)->isVisible(), name);
            QVERIFY2(window.contains(w.get(name)->geometry()), name);
        }
    }
}

void TestSkinnedContent::badLayoutValueStopsWithItsMessage()
{
    Window w;
    const QPoint before = w.get("Btn_Reset")->pos();
    QSignalSpy messages(w.content.get(), &SkinnedContent::messageRequested);
    const QByteArray text = "[org1]\r\nSize_A=12\r\nColor_A_R=1\r\nColor_A_G=2\r\nColor_A_B=3\r\n"
                            "Btn_A1_Enable=1\r\nBtn_A1_X=30\r\nBtn_A1_Y=40\r\n"
                            "Btn_A2_Enable=0\r\nBtn_A3_Enable=1\r\nBtn_A3_X=12x\r\n";
    const PageLayout layout = readPageLayout(parseIniText(text).section(QStringLiteral("org1")));
    QVERIFY(!w.content->applyPageLayout(layout));
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0][0].toString(), QStringLiteral("'12x' is not a valid integer value"));
    // What came before the bad value is in force, the rest is untouched.
    QCOMPARE(w.get("Btn_Confirm")->pos(), QPoint(30, 40));
    QCOMPARE(w.get<SkinLabel>("Btn_Confirm")->textColour(), QColor(1, 2, 3));
    QCOMPARE(w.get("Btn_Confirm")->font().pointSize(), 12);
    QVERIFY(!w.get("Btn_Apply")->isVisible() && !w.get("Img_Apply")->isVisible());
    QCOMPARE(w.get("Btn_Reset")->pos(), before);
    QVERIFY(w.get("Btn_Reset")->isVisible());
}

void TestSkinnedContent::coversAndNoDeviceState()
{
    Window w;
    w.plugIn();
    w.content->showNoDeviceLabels({true, true, false, false});
    w.content->refreshErrorAP();
    QVERIFY(w.configuration.state().NoDevicePage);
    QVERIFY(!w.configuration.state().deviceOpen());
    QVERIFY(w.get("lbl_NoDev")->isVisible() && w.get("lbl_CheckDev")->isVisible());
    QVERIFY(!w.get("Img_P1")->isVisible() && !w.get("Key1")->isVisible());
    QCOMPARE(w.pictureOf("Img_Main"), QStringLiteral("SetS_01"));
    w.content->refreshAPPage();
    QVERIFY(!w.get("Img_P1")->isVisible());

    // A read mouse of family A: no macro page button, page 1 open again.
    w.plugIn();
    w.content->showNoDeviceLabels({});
    w.content->showDevicePages(true, false);
    QVERIFY(!w.configuration.state().NoDevicePage);
    QVERIFY(!w.get("Btn_Macro")->isVisible() && !w.get("Img_Macro")->isVisible());
    QVERIFY(w.get("Img_P1")->isVisible() && w.get("Key1")->isVisible());
    QVERIFY(!w.get("Disable")->isVisible());
    QCOMPARE(w.pictureOf("Img_Main"), QStringLiteral("SetS_02"));
    w.content->showDevicePages(false, true);
    QVERIFY(w.get("Btn_Macro")->isVisible());

    // A mouse read while the macro page was open shows that page again; a
    // mouse without macros opens on Main instead of a page it cannot show.
    QTest::mouseClick(w.get("Btn_Macro"), Qt::LeftButton);
    w.content->refreshErrorAP();
    w.plugIn();
    w.content->showDevicePages(false, true);
    QCOMPARE(w.content->currentPage(), Configuration::Page::Macro);
    QVERIFY(w.get("Img_P4")->isVisible() && !w.get("Img_P1")->isVisible());
    w.content->refreshErrorAP();
    w.plugIn();
    w.content->showDevicePages(true, false);
    QCOMPARE(w.content->currentPage(), Configuration::Page::Main);
    QVERIFY(!w.get("Img_P4")->isVisible() && w.get("Img_P1")->isVisible());

    // The input cover lies in front of every element while a transfer runs.
    w.content->beginBusy();
    QWidget *cover = w.get("Disable_All");
    QVERIFY(cover->isVisible());
    QCOMPARE(cover->geometry(), QRect(0, 0, 800, 600));
    QCOMPARE(w.client.childAt(QPoint(20, 170)), cover);
    QVERIFY(!w.get("Gb_Insert")->isEnabled());
    w.content->endBusy();
    QVERIFY(!cover->isVisible());
    QCOMPARE(w.client.childAt(QPoint(20, 170)), w.get("Btn_Apply"));
}

void TestSkinnedContent::commandButtonsBackgroundAndWebLink()
{
    Window w;
    QSignalSpy applies(w.content.get(), &SkinnedContent::applyClicked);
    QSignalSpy exits(w.content.get(), &SkinnedContent::exitClicked);
    QTest::mouseClick(w.get("Btn_Apply"), Qt::LeftButton);
    QTest::mouseClick(w.get("Btn_Exit"), Qt::LeftButton);
    QCOMPARE(applies.size(), 1);
    QCOMPARE(exits.size(), 1);
    w.content->showPressed(DeviceObserver::WriteButton::Reset);
    QCOMPARE(w.pictureOf("Img_Reset"), QStringLiteral("BtnS_03"));

    // A press on the background closes the menus and asks for the move; a
    // click on the button page only closes the menus.
    auto *menu = new QWidget(&w.client);
    menu->setObjectName(QStringLiteral("Pnl_Special"));
    menu->show();
    QSignalSpy drags(w.content.get(), &SkinnedContent::dragRequested);
    QSignalSpy menus(w.content.get(), &SkinnedContent::hideAllMenusRequested);
    QTest::mousePress(w.get("Img_Base"), Qt::LeftButton, {}, QPoint(700, 200));
    QCOMPARE(drags.size(), 1);
    QCOMPARE(menus.size(), 1);
    QVERIFY(!menu->isVisible());
    QTest::mouseClick(w.get("Img_P1"), Qt::LeftButton, {}, QPoint(200, 300));
    QCOMPARE(drags.size(), 1);
    QCOMPARE(menus.size(), 2);

    // The web label covers exactly its picture, wherever the link is placed.
    QVERIFY(QRect(0, 0, 800, 600).contains(w.get("Img_Web")->pos()));
    QCOMPARE(w.get("Btn_Web")->geometry(), w.get("Img_Web")->geometry());
    QVERIFY(w.content->webAddress().isValid());

    // A bad web position is reported like a bad page layout.
    QSignalSpy messages(w.content.get(), &SkinnedContent::messageRequested);
    const WebLinkLayout bad =
        readWebLink(parseIniText("[org]\nWeb=https://example.org/\nWeb_X=far\n")
                        .section(QStringLiteral("org")));
    QVERIFY(!w.content->applyWebLink(bad));
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0][0].toString(), QStringLiteral("'far' is not a valid integer value"));
    // The address is still taken (the user guide stands in for it where one is found).
    QCOMPARE(w.content->webAddress(), resolveWebAddress(QStringLiteral("https://example.org/")));
}

void TestSkinnedContent::webAddressPrefersTheInstalledGuide()
{
    QTemporaryDir prefix;
    const QString stored = QStringLiteral("https://example.org/contact");
    const QString guidePath = prefix.filePath("share/gaming-mouse/user-guide.html");
    QCOMPARE(resolveWebAddress(stored, QString()), QUrl(stored));
    QCOMPARE(resolveWebAddress(stored, guidePath), QUrl(stored));
    QVERIFY(QDir(prefix.path()).mkpath("share/gaming-mouse"));
    QFile guide(guidePath);
    QVERIFY(guide.open(QIODevice::WriteOnly));
    guide.close();
    QCOMPARE(resolveWebAddress(stored, guidePath),
             QUrl::fromLocalFile(QFileInfo(guide).absoluteFilePath()));
}

void TestSkinnedContent::menuEntriesAndTheInsertPanel()
{
    Window w;
    // Menu entries made by the button pages get their captions by name.
    auto *entry = new QLabel(&w.client);
    entry->setObjectName(QStringLiteral("Key_Standard"));
    w.content->languageButtonClick(2);
    QCOMPARE(entry->text(), QStringLiteral(" %1 %2").arg(text(2, "Str200"), text(2, "Str201")));
    QCOMPARE(w.content->storedText(QStringLiteral("Str242")), text(2, "Str242"));

    // The macro page shows the insert group instead of the delay group while
    // the insert panel is open, and hides both with the page.
    w.content->setInsertPanelOpen(true);
    w.content->showPage(4);
    QVERIFY(w.get("Gb_Insert")->isVisible() && w.get("Img_InsertBase")->isVisible());
    QVERIFY(!w.get("Gb_Delay")->isVisible());
    QVERIFY(w.get("Btn_Insert")->isVisible() && w.get("Img_Insert")->isVisible());
    w.content->setInsertPanelOpen(false);
    w.content->showPage(4);
    QVERIFY(w.get("Gb_Delay")->isVisible() && !w.get("Gb_Insert")->isVisible());
    w.content->showPage(1);
    QVERIFY(!w.get("Gb_Delay")->isVisible() && !w.get("LB_macro")->isVisible());
}

QTEST_MAIN(TestSkinnedContent)
#include "test_skinned_content.moc"
