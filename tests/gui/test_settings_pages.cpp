#include "window_fixture.h"

#include "app/skinned_content_port.h"
#include "image/section_checks.h"
#include "ui/skin_label.h"
#include "ui/skinned_content.h"

#include <QColorDialog>
#include <QLineEdit>
#include <QStyleHints>
#include <QtTest>

#include <memory>

namespace {
constexpr quint16 kBlock = 0x6000; // the parameter block in a family-B mouse
constexpr int kFireKey = 93;       // FireKey's place in the block

void click(const WindowFixture &f, const char *name)
{
    QTest::mouseClick(f.get(QString::fromLatin1(name)), Qt::LeftButton);
}

quint8 blockByte(const WindowFixture &f, int offset)
{
    return quint8(f.mouse.readBytes(kBlock + offset, 1).at(0));
}

// A connected window with the advanced page, or the breathing-light page
// (whose button the first language's layout puts outside the window, so its
// handler runs as the click would run it).
void open(WindowFixture &f, Configuration::Page page)
{
    f.window->DevTimerTimer();
    static_cast<SkinnedContentPort &>(f.window->content()).skin().pageButtonClick(page);
}

// The mouse's image with the breathing-light page no longer bypassed.
void unbypassBreathingPage(WindowFixture &f)
{
    QByteArray parameterA = f.mouse.readBytes(kBlock, kParameterADataBytes + 1);
    parameterA[9] = char(quint8(parameterA[9]) & ~0x01);
    SectionChecksum(parameterA, kParameterADataBytes);
    f.mouse.writeBytes(kBlock, parameterA);
}

// Answers the next colour dialog with `colour` (Cancel for an invalid one)
// and keeps the colour it opened with.
std::shared_ptr<QColor> answerColourDialog(const QColor &colour)
{
    auto openedWith = std::make_shared<QColor>();
    QTimer::singleShot(20, [openedWith, colour] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QColorDialog *>(widget);
            if (!dialog || !dialog->isVisible() || dialog->objectName() != "ColorDialog1")
                continue;
            *openedWith = dialog->currentColor();
            dialog->setCurrentColor(colour);
            colour.isValid() ? dialog->accept() : dialog->reject();
        }
    });
    return openedWith;
}
} // namespace

class TestSettingsPages : public QObject
{
    Q_OBJECT
private slots:
    void dpiLevelsKeepTheirLimitsAndTheCurrentMark();
    void fireKeyBoxesAreHeldToTheirLimitsBeforeTheyAreStored();
    void reportRateAndDesktopScalesAreWrittenWithTheMouse();
    void chosenColourReachesTheMouseAsPercentages();
    void colourModeTwoDisablesThePickerUntilThePageIsOpenedAgain();
};

void TestSettingsPages::dpiLevelsKeepTheirLimitsAndTheCurrentMark()
{
    WindowFixture f;
    open(f, Configuration::Page::Advanced);
    const AdvancedPageModel &model = f.window->config().advancedPage();
    // The default image selects 800, 1200, 3200 and 4800 with 3200 current.
    QCOMPARE(f.pictureOf(QStringLiteral("Img_DPI6")), QStringLiteral("Bar2_E"));
    const QColor notSelected = f.get<SkinLabel>(QStringLiteral("lbl_DPI2"))->textColour();
    click(f, "lbl_DPI2"); // a fifth level
    QVERIFY(!model.dpiLevelSelected(2));
    QVERIFY(!f.get(QStringLiteral("Img_DPI2"))->isEnabled());

    click(f, "lbl_DPI6"); // the current one
    QCOMPARE(f.get<SkinLabel>(QStringLiteral("lbl_DPI6"))->textColour(), notSelected);
    QVERIFY(!f.get(QStringLiteral("Img_DPI6"))->isEnabled());
    QCOMPARE(f.pictureOf(QStringLiteral("Img_DPI6")), QStringLiteral("Bar2_D"));
    QCOMPARE(f.pictureOf(QStringLiteral("Img_DPI1")), QStringLiteral("Bar2_E"));

    // On to 1000 and 6400 through the page's limits.
    for (const char *name : {"lbl_DPI2", "lbl_DPI3", "lbl_DPI8", "lbl_DPI7", "lbl_DPI1"})
        click(f, name);
    click(f, "Btn_Apply");
    QCOMPARE(f.mouse.readBytes(kBlock + 10, 4), QByteArray::fromHex("040bffff"));
}

void TestSettingsPages::fireKeyBoxesAreHeldToTheirLimitsBeforeTheyAreStored()
{
    WindowFixture f;
    open(f, Configuration::Page::Advanced);
    auto *repeat = f.get<QLineEdit>(QStringLiteral("Edt_Repeat1"));
    auto *delay = f.get<QLineEdit>(QStringLiteral("Edt_DelayTime1"));
    repeat->clear();
    QTest::keyClicks(repeat, QStringLiteral("1x6-")); // only digits are taken
    QCOMPARE(repeat->text(), QStringLiteral("16"));
    click(f, "Btn_Apply"); // a label: focus stays in the box
    QCOMPARE(repeat->text(), QStringLiteral("15"));
    QCOMPARE(blockByte(f, kFireKey + 1), quint8(0x1F));

    delay->clear();
    QTest::keyClicks(delay, QStringLiteral("20015")); // four characters at most
    click(f, "Btn_Apply");
    QCOMPARE(delay->text(), QStringLiteral("2000"));
    QCOMPARE(blockByte(f, kFireKey + 2) & 0x0F, 0x07);
    QCOMPARE(blockByte(f, kFireKey + 3), quint8(0xD0));

    // Focus leaving a box applies the limits at once.
    repeat->setText(QString());
    QTest::keyClicks(repeat, QStringLiteral("1"));
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(repeat, &leave);
    QCOMPARE(repeat->text(), QStringLiteral("2"));
}

void TestSettingsPages::reportRateAndDesktopScalesAreWrittenWithTheMouse()
{
    WindowFixture f;
    open(f, Configuration::Page::Advanced);
    QVERIFY(!f.get<QLabel>(QStringLiteral("lbl_SettingsStore"))->text().isEmpty());
    click(f, "lbl_Rep1"); // the default image has 500 Hz
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Rep2")), QStringLiteral("RdS_D"));
    click(f, "Img_Spd3");
    click(f, "lbl_DbSpd10"); // the caption over a segment takes the click too
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Spd3")), QStringLiteral("Bar1_E"));
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Spd4")), QStringLiteral("Bar1_D"));
    f.mouse.clearTrace();
    click(f, "Btn_Apply");
    QByteArray commands;
    for (const SimulatedMouse::TraceEntry &entry : f.mouse.trace()) {
        if (entry.direction == SimulatedMouse::TraceEntry::Set && entry.bytes[0] == 0x40)
            commands.append(char(entry.bytes[1]));
    }
    QVERIFY(commands.endsWith(QByteArray::fromHex("0318")));
    QCOMPARE(f.window->config().mouseSettingsPage().MouseSensitivityValue(), 4);
    QCOMPARE(QGuiApplication::styleHints()->mouseDoubleClickInterval(), 270);
}

void TestSettingsPages::chosenColourReachesTheMouseAsPercentages()
{
    WindowFixture f;
    unbypassBreathingPage(f);
    open(f, Configuration::Page::Breathing);
    click(f, "lbl_LEDColMode1");
    answerColourDialog(QColor(255, 128, 0));
    click(f, "lbl_csmode1");
    click(f, "Btn_Apply");
    QCOMPARE(f.mouse.readBytes(kBlock + 22, 3), QByteArray::fromHex("643200"));

    // The dialog opens with the colour last chosen; Cancel changes nothing.
    const auto openedWith = answerColourDialog(QColor());
    click(f, "lbl_csmode1");
    QCOMPARE(*openedWith, QColor(255, 128, 0));
    QCOMPARE(f.window->config().breathingPage().colour1(), (RgbPercent{100, 50, 0}));
}

void TestSettingsPages::colourModeTwoDisablesThePickerUntilThePageIsOpenedAgain()
{
    WindowFixture f;
    unbypassBreathingPage(f);
    open(f, Configuration::Page::Breathing);
    click(f, "lbl_LEDColMode2");
    QVERIFY(!f.get(QStringLiteral("lbl_csmode1"))->isEnabled());
    click(f, "Btn_Main");
    open(f, Configuration::Page::Breathing);
    QVERIFY(f.get(QStringLiteral("lbl_csmode1"))->isEnabled());
    click(f, "Img_Raise4"); // a scale segment
    click(f, "Btn_Apply");
    QCOMPARE(blockByte(f, 19), quint8(9));
    QCOMPARE(blockByte(f, 9) & 0x10, 0); // colour mode 2 stored
}

QTEST_MAIN(TestSettingsPages)
#include "test_settings_pages.moc"
