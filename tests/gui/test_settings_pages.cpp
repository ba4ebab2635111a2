#include "window_fixture.h"

#include "app/skinned_content_port.h"
#include "image/section_checks.h"
#include "ui/skin_label.h"
#include "ui/skinned_content.h"

#include <QColorDialog>
#include <QLineEdit>
#include <QSettings>
#include <QStyleHints>
#include <QtTest>

namespace {
constexpr quint16 kBlock = 0x6000; // the parameter block in a family-B mouse
constexpr int kFireKey = 93;       // FireKey's place in the block

void click(const WindowFixture &f, const char *name)
{
    QTest::mouseClick(f.get(QString::fromLatin1(name)), Qt::LeftButton);
}

// The breathing-light button lies outside the window in the first
// language's layout; its handler is the one the click would run.
void openBreathingPage(WindowFixture &f)
{
    static_cast<SkinnedContentPort &>(f.window->content())
        .skin()
        .pageButtonClick(Configuration::Page::Breathing);
}

// A connected family-B window with the advanced (or another) page open.
void openPage(WindowFixture &f, const char *pageButton)
{
    f.window->DevTimerTimer();
    if (qstrcmp(pageButton, "Btn_Breath") == 0)
        openBreathingPage(f);
    else
        click(f, pageButton);
}

QByteArray block(const WindowFixture &f)
{
    return f.mouse.readBytes(kBlock, 256);
}

// The mouse's image with the breathing-light page no longer bypassed.
void unbypassBreathingPage(WindowFixture &f)
{
    QByteArray parameterA = f.mouse.readBytes(kBlock, kParameterADataBytes + 1);
    parameterA[9] = char(quint8(parameterA[9]) & ~0x01);
    SectionChecksum(parameterA, kParameterADataBytes);
    f.mouse.writeBytes(kBlock, parameterA);
}

// Answers the next colour dialog: remembers the colour it opened with and
// picks `colour`, or cancels with an invalid one.
struct ColourAnswer
{
    explicit ColourAnswer(const QColor &colour)
    {
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [this, colour] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *dialog = qobject_cast<QColorDialog *>(widget);
                if (!dialog || !dialog->isVisible())
                    continue;
                poll.stop();
                openedWith = dialog->currentColor();
                name = dialog->objectName();
                if (colour.isValid()) {
                    dialog->setCurrentColor(colour);
                    dialog->accept();
                } else {
                    dialog->reject();
                }
            }
        });
        poll.start();
    }
    QTimer poll;
    QColor openedWith;
    QString name;
};
} // namespace

class TestSettingsPages : public QObject
{
    Q_OBJECT
private slots:
    void dpiLevelsKeepTheirLimitsAndTheCurrentMark();
    void twoLevelsAreStoredInTheFirstSlots();
    void fireKeyBoxesAreHeldToTheirLimitsBeforeTheyAreStored();
    void reportRateChangeEndsTheWriteWithItsReload();
    void desktopScalesAreStoredAndFollowedByTheProgram();
    void chosenColourReachesTheMouseAsPercentages();
    void colourModeTwoDisablesThePickerUntilThePageIsOpenedAgain();
};

void TestSettingsPages::dpiLevelsKeepTheirLimitsAndTheCurrentMark()
{
    WindowFixture f;
    openPage(f, "Btn_Adv");
    const AdvancedPageModel &model = f.window->config().advancedPage();
    // The default image selects 800, 1200, 3200 and 4800 with 3200 current.
    QCOMPARE(model.SelectedDpiCount(), 4);
    QCOMPARE(f.pictureOf(QStringLiteral("Img_DPI6")), QStringLiteral("Bar2_E"));
    const QColor notSelected = f.get<SkinLabel>(QStringLiteral("lbl_DPI2"))->textColour();

    click(f, "lbl_DPI2"); // a fifth level
    QVERIFY(!model.dpiLevelSelected(2));
    QVERIFY(!f.get(QStringLiteral("Img_DPI2"))->isEnabled());
    QCOMPARE(f.get<SkinLabel>(QStringLiteral("lbl_DPI2"))->textColour(), notSelected);

    click(f, "lbl_DPI6"); // the current one
    QVERIFY(!model.dpiLevelSelected(6));
    QVERIFY(!f.get(QStringLiteral("Img_DPI6"))->isEnabled());
    QCOMPARE(f.pictureOf(QStringLiteral("Img_DPI6")), QStringLiteral("Bar2_D"));
    QCOMPARE(f.pictureOf(QStringLiteral("Img_DPI1")), QStringLiteral("Bar2_E"));
    QCOMPARE(model.currentDpiLevel(), 1);
    QCOMPARE(f.get<SkinLabel>(QStringLiteral("lbl_DPI6"))->textColour(), notSelected);

    click(f, "Img_DPI7"); // the marker of another selected level
    QCOMPARE(model.currentDpiLevel(), 7);
    QCOMPARE(f.pictureOf(QStringLiteral("Img_DPI1")), QStringLiteral("Bar2_D"));
    QCOMPARE(f.pictureOf(QStringLiteral("Img_DPI7")), QStringLiteral("Bar2_E"));
}

void TestSettingsPages::twoLevelsAreStoredInTheFirstSlots()
{
    WindowFixture f;
    openPage(f, "Btn_Adv");
    // From 800, 1200, 3200, 4800 to 1000 and 6400 through the page's limits.
    for (const char *name :
         {"lbl_DPI1", "lbl_DPI2", "lbl_DPI3", "lbl_DPI6", "lbl_DPI8", "lbl_DPI7"})
        click(f, name);
    click(f, "Btn_Apply");
    QCOMPARE(block(f).mid(10, 4), QByteArray::fromHex("040bffff"));
    QVERIFY(f.messages.seen.isEmpty());
}

void TestSettingsPages::fireKeyBoxesAreHeldToTheirLimitsBeforeTheyAreStored()
{
    WindowFixture f;
    openPage(f, "Btn_Adv");
    auto *repeat = f.get<QLineEdit>(QStringLiteral("Edt_Repeat1"));
    auto *delay = f.get<QLineEdit>(QStringLiteral("Edt_DelayTime1"));
    QCOMPARE(repeat->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    repeat->clear();
    QTest::keyClicks(repeat, QStringLiteral("1x6-")); // only digits are taken
    QCOMPARE(repeat->text(), QStringLiteral("16"));
    click(f, "Btn_Apply"); // a label: focus stays in the box
    QCOMPARE(repeat->text(), QStringLiteral("15"));
    QCOMPARE(quint8(block(f)[kFireKey + 1]), quint8(0x1F));

    delay->clear();
    QTest::keyClicks(delay, QStringLiteral("20015")); // four characters at most
    QCOMPARE(delay->text(), QStringLiteral("2001"));
    click(f, "Btn_Apply");
    QCOMPARE(delay->text(), QStringLiteral("2000"));
    QCOMPARE(quint8(block(f)[kFireKey + 2]) & 0x0F, 0x07);
    QCOMPARE(quint8(block(f)[kFireKey + 3]), quint8(0xD0));

    // Focus leaving a box applies the limits at once.
    auto *repeat2 = f.get<QLineEdit>(QStringLiteral("Edt_Repeat2"));
    repeat2->clear();
    QTest::keyClicks(repeat2, QStringLiteral("1"));
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(repeat2, &leave);
    QCOMPARE(repeat2->text(), QStringLiteral("2"));
}

void TestSettingsPages::reportRateChangeEndsTheWriteWithItsReload()
{
    WindowFixture f;
    openPage(f, "Btn_Adv");
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Rep2")), QStringLiteral("RdS_E"));
    click(f, "lbl_Rep1");
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Rep1")), QStringLiteral("RdS_E"));
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Rep2")), QStringLiteral("RdS_D"));
    f.mouse.clearTrace();
    click(f, "Btn_Apply");
    QByteArray commands;
    for (const SimulatedMouse::TraceEntry &entry : f.mouse.trace()) {
        if (entry.direction == SimulatedMouse::TraceEntry::Set && entry.bytes[0] == 0x40)
            commands.append(char(entry.bytes[1]));
    }
    QVERIFY(commands.endsWith(QByteArray::fromHex("0318")));
    QCOMPARE(f.mouse.reportRateReloadCount(), 1);
    QCOMPARE(quint8(block(f)[27 + 1]), quint8(1));

    // The same rate again is a plain reload.
    f.mouse.clearTrace();
    click(f, "Btn_Apply");
    QCOMPARE(quint8(f.mouse.trace().back().bytes[1]), quint8(0x19));
}

void TestSettingsPages::desktopScalesAreStoredAndFollowedByTheProgram()
{
    WindowFixture f;
    openPage(f, "Btn_Adv");
    QVERIFY(!f.get<QLabel>(QStringLiteral("lbl_SettingsStore"))->text().isEmpty());
    click(f, "Img_Spd3");
    click(f, "lbl_DbSpd10"); // the caption over a segment takes the click too
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Spd3")), QStringLiteral("Bar1_E"));
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Spd4")), QStringLiteral("Bar1_D"));
    QCOMPARE(f.pictureOf(QStringLiteral("Img_DbSpd10")), QStringLiteral("Bar1_E"));
    click(f, "Btn_Apply");
    QCOMPARE(QGuiApplication::styleHints()->mouseDoubleClickInterval(), 270);
    const MouseSettingsPageModel &page = f.window->config().mouseSettingsPage();
    QCOMPARE(page.MouseSensitivityValue(), 4);
    QCOMPARE(page.DoubleClickSpeedValue(), 270);
}

void TestSettingsPages::chosenColourReachesTheMouseAsPercentages()
{
    WindowFixture f;
    unbypassBreathingPage(f);
    openPage(f, "Btn_Breath");
    click(f, "lbl_LEDColMode1");
    {
        ColourAnswer answer(QColor(255, 128, 0));
        click(f, "lbl_csmode1");
        QCOMPARE(answer.name, QStringLiteral("ColorDialog1"));
    }
    QCOMPARE(f.get(QStringLiteral("cs_Mode1"))->palette().color(QPalette::Window),
             QColor(255, 128, 0));
    click(f, "Btn_Apply");
    QCOMPARE(block(f).mid(22, 3), QByteArray::fromHex("643200"));

    // The dialog opens with the colour last chosen; Cancel changes nothing.
    ColourAnswer cancel{QColor()};
    click(f, "lbl_csmode1");
    QCOMPARE(cancel.openedWith, QColor(255, 128, 0));
    QCOMPARE(f.window->config().breathingPage().colour1(), (RgbPercent{100, 50, 0}));
}

void TestSettingsPages::colourModeTwoDisablesThePickerUntilThePageIsOpenedAgain()
{
    WindowFixture f;
    unbypassBreathingPage(f);
    openPage(f, "Btn_Breath");
    click(f, "lbl_LEDColMode2");
    QVERIFY(!f.get(QStringLiteral("lbl_csmode1"))->isEnabled());
    QCOMPARE(f.pictureOf(QStringLiteral("Img_LEDColMode2")), QStringLiteral("RdS_E"));
    click(f, "Btn_Main");
    openBreathingPage(f);
    QVERIFY(f.get(QStringLiteral("lbl_csmode1"))->isEnabled());

    // A scale segment lights the segments up to it.
    click(f, "Img_Raise4");
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Raise4")), QStringLiteral("Bar1_E"));
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Raise5")), QStringLiteral("Bar1_D"));
    click(f, "Btn_Apply");
    QCOMPARE(quint8(block(f)[19]), quint8(9));
    QCOMPARE(quint8(block(f)[9]) & 0x10, 0); // colour mode 2 stored
}

QTEST_MAIN(TestSettingsPages)
#include "test_settings_pages.moc"
