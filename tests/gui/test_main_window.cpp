#include "window_fixture.h"

#include "app/skinned_content_port.h"
#include "ui/skinned_content.h"

#include "app/busy_window.h"
#include "app/window_content.h"
#include "image/default_image.h"
#include "macros/macro_editor.h"
#include "ui/language.h"

#include <QEnterEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString text(const char *key)
{
    return LanguageText(OpenLanguage(1), QString::fromLatin1(key));
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startsOnPageOneWithTheDefaultImageAndWithoutSearching();
    void placementAndShape();
    void firstTickReadsAFamilyBMouseWithProgress();
    void familyAHasNoMacroPage();
    void unplugShowsNoDeviceAndEmptiesTheMacroLists();
    void deniedNodesAreNamedOnTheNoDevicePage();
    void typeAndIdErrors();
    void writeButtonsWithoutMouseOnlyTellSo();
    void applyOnFamilyASendsNoErase();
    void transferCoversTheWindowAndRestsTheTimer();
    void unplugDuringWriteIsShownAsFailure();
    void confirmClosesAfterItsWrite();
    void marqueeRestsTheHotPlugTimer();
    void saveThenLoadThroughTheDialogs();
    void aBoxRaisedInsideATransferTakesItsKeys();
    void webButtonWithoutAHandlerNamesTheGuide();
};

void TestMainWindow::startsOnPageOneWithTheDefaultImageAndWithoutSearching()
{
    WindowFixture f;
    MainWindow &w = *f.window;
    QCOMPARE(w.size(), QSize(800, 600));
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w.windowTitle(), QStringLiteral("Gaming Mouse v1.0"));
    QCOMPARE(w.applicationTitle(), text("Title"));
    QVERIFY(f.shown(QStringLiteral("Img_P1")));
    QVERIFY(!f.shown(QStringLiteral("Img_P2")));
    QVERIFY(!f.shown(QStringLiteral("Disable_All")));
    QCOMPARE(f.get(QStringLiteral("Disable_All"))->geometry(), QRect(0, 0, 800, 600));
    QVERIFY(!f.shown(QStringLiteral("lbl_NoDev")));
    QCOMPARE(w.config().currentPage(), Configuration::Page::Main);
    ImageBuffers defaults;
    QVERIFY(readDefaultImage(defaults));
    QCOMPARE(w.config().image().DataBuf, defaults.DataBuf);
    // Nothing reaches the mouse before the first tick, 3.5 s from creation.
    QVERIFY(f.mouse.trace().empty());
    QVERIFY(w.devTimer().isActive());
    QCOMPARE(w.devTimer().interval(), 3500);
    QVERIFY(!w.config().state().deviceOpen());
    QVERIFY(!w.busyWindow().isVisible());
    w.Btn_ExitClick();
    QVERIFY(!w.isVisible());
    QVERIFY(f.mouse.trace().empty());
}

void TestMainWindow::placementAndShape()
{
    QCOMPARE(MainWindow::centredPosition({1024, 768}), QPoint(112, 84));
    QCOMPARE(MainWindow::centredPosition({799, 600}).x(), 0);
    QCOMPARE(MainWindow::centredPosition({797, 600}).x(), -1);
    QCOMPARE(BusyWindow::positionOver(QRect(112, 84, 800, 600)), QPoint(409, 326));
    WindowFixture f;
    // The skin's corners are see-through, its body is window.
    const QRegion mask = f.window->mask();
    QVERIFY(mask.contains(QPoint(400, 300)));
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(!f.window->trayIcon()->icon().isNull());
}

void TestMainWindow::firstTickReadsAFamilyBMouseWithProgress()
{
    WindowFixture f(QStringLiteral("b58"));
    f.window->DevTimerTimer();
    QCOMPARE(f.window->link().connection.connectionState(), ConnectionState::Connected);
    QCOMPARE(f.window->config().image().DataBuf, f.mouse.readBytes(0x6000, 256));
    QVERIFY(f.shown(QStringLiteral("Btn_Macro")));
    QVERIFY(f.shown(QStringLiteral("Img_P1")));
    QCOMPARE(f.window->busyWindow().reportsExpected(), 4927);
    QCOMPARE(f.window->busyWindow().reportsDone(), 4927);
    QVERIFY(!f.window->busyWindow().isVisible());
    QVERIFY(f.window->devTimer().isActive());
    QCOMPARE(f.get<QListWidget>(QStringLiteral("LB_MacroName"))->count(), 32);
    QVERIFY(f.messages.seen.isEmpty());
}

void TestMainWindow::familyAHasNoMacroPage()
{
    WindowFixture f(QStringLiteral("a58"));
    f.window->DevTimerTimer();
    QCOMPARE(f.window->link().connection.connectionState(), ConnectionState::Connected);
    QVERIFY(!f.shown(QStringLiteral("Btn_Macro")));
    QCOMPARE(f.window->busyWindow().reportsDone(), 2 * 37); // the block, read twice
}

void TestMainWindow::unplugShowsNoDeviceAndEmptiesTheMacroLists()
{
    WindowFixture f(QStringLiteral("b58"));
    f.window->DevTimerTimer();
    f.mouse.setPlugged(false);
    f.window->DevTimerTimer();
    QVERIFY(f.shown(QStringLiteral("lbl_NoDev")));
    QVERIFY(f.shown(QStringLiteral("lbl_CheckDev")));
    QCOMPARE(f.get<QLabel>(QStringLiteral("lbl_NoDev"))->text(), QStringLiteral("No Device Found"));
    QVERIFY(!f.shown(QStringLiteral("Img_P1")));
    QCOMPARE(f.get<QListWidget>(QStringLiteral("LB_MacroName"))->count(), 0);
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Main")), QStringLiteral("SetS_01"));
    // The macro page button stays as the last read-all set it.
    QVERIFY(f.shown(QStringLiteral("Btn_Macro")));
}

void TestMainWindow::deniedNodesAreNamedOnTheNoDevicePage()
{
    WindowFixture f(QStringLiteral("b58"));
    f.mouse.setAccessDenied(f.mouse.mouseInterface(0, 1), true); // the data node
    f.window->DevTimerTimer();
    QVERIFY(f.shown(QStringLiteral("lbl_NoDev")));
    QVERIFY(f.shown(QStringLiteral("lbl_CheckDev")));
    for (const int language : {1, 2}) {
        f.window->content().languageButtonClick(language);
        const LanguageTable texts = OpenLanguage(language);
        const QStringList around =
            LanguageText(texts, QStringLiteral("Str104")).split(QStringLiteral("%1"));
        const QString line = f.get<QLabel>(QStringLiteral("lbl_NoDev"))->text();
        QVERIFY2(line.startsWith(around.first()) && line.endsWith(around.last()) &&
                     line.size() > around.join(QString()).size(),
                 qPrintable(line));
        QCOMPARE(f.get<QLabel>(QStringLiteral("lbl_CheckDev"))->text(),
                 LanguageText(texts, QStringLiteral("Str105")));
    }
    // Gone for good: the page says "No Device Found" again.
    f.mouse.setPlugged(false);
    f.window->DevTimerTimer();
    QCOMPARE(f.get<QLabel>(QStringLiteral("lbl_NoDev"))->text(),
             LanguageText(OpenLanguage(2), QStringLiteral("Str100")));
}

void TestMainWindow::typeAndIdErrors()
{
    {
        WindowFixture f(QStringLiteral("b42")); // layout 42 against the image's 58
        f.window->DevTimerTimer();
        QVERIFY(f.shown(QStringLiteral("lbl_TypeError")));
        QVERIFY(!f.shown(QStringLiteral("lbl_IDError")));
        QVERIFY(!f.shown(QStringLiteral("Img_P1")));
        QVERIFY(!f.window->config().state().deviceOpen());
    }
    {
        WindowFixture f(QStringLiteral("b58"));
        QByteArray id = f.mouse.readBytes(0x6057, 2);
        id[0] = char(~quint8(id[0]));
        f.mouse.writeBytes(0x6057, id);
        f.window->DevTimerTimer();
        QVERIFY(f.shown(QStringLiteral("lbl_IDError")));
        QVERIFY(!f.shown(QStringLiteral("lbl_TypeError")));
        QCOMPARE(f.get<QLabel>(QStringLiteral("lbl_IDError"))->text(), text("Str103"));
    }
}

void TestMainWindow::writeButtonsWithoutMouseOnlyTellSo()
{
    WindowFixture f(QStringLiteral("b58"), false);
    f.window->Btn_ConfirmClick();
    QVERIFY(f.window->isVisible());
    f.window->Btn_SaveClick();
    f.window->Btn_LoadClick();
    QCOMPARE(f.messages.seen.size(), 3);
    for (const SeenMessage &message : f.messages.seen) {
        QCOMPARE(message.text, text("Str022"));
        QCOMPARE(message.title, text("Title"));
        QCOMPARE(message.icon, QMessageBox::NoIcon);
        QCOMPARE(message.buttons, 1);
        QCOMPARE(message.buttonText, text("Str420"));
    }
    QVERIFY(f.mouse.trace().empty());
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Confirm")), QStringLiteral("BtnS_03"));
    // Without any HID interface the first tick shows the no-device page.
    f.window->DevTimerTimer();
    QVERIFY(f.shown(QStringLiteral("lbl_NoDev")) && f.shown(QStringLiteral("lbl_CheckDev")));
    QVERIFY(!f.shown(QStringLiteral("Img_P1")));
}

void TestMainWindow::applyOnFamilyASendsNoErase()
{
    WindowFixture f(QStringLiteral("a58"));
    f.window->DevTimerTimer();
    const qint64 start = f.clock.waitedMs();
    f.window->Btn_ApplyClick();
    // The pressed picture's pause comes before the write.
    QCOMPARE(f.clock.waitedMs() - start, 110);
    QCOMPARE(f.mouse.eraseCount(), 0);
    QCOMPARE(f.mouse.reloadCount() + f.mouse.reportRateReloadCount(), 1);
    QCOMPARE(f.window->busyWindow().reportsDone(), 37);
    QVERIFY(f.messages.seen.isEmpty());
}

void TestMainWindow::transferCoversTheWindowAndRestsTheTimer()
{
    WindowFixture f(QStringLiteral("b58"));
    f.window->DevTimerTimer();
    bool covered = false, timerOff = false, busyShown = false;
    int applies = 0;
    QObject::connect(&f.window->content().signalSource(), &SkinSignals::applyClicked,
                     [&] { ++applies; });
    // Looks once the transfer is under way (the pressed pause before it
    // processes events too).
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!f.window->busyWindow().isVisible())
            return;
        probe.stop();
        busyShown = true;
        covered = f.shown(QStringLiteral("Disable_All"));
        timerOff = !f.window->devTimer().isActive();
        // A click in mid-transfer reaches nothing.
        QTest::mouseClick(f.get(QStringLiteral("Btn_Apply")), Qt::LeftButton);
    });
    probe.start();
    f.window->Btn_ApplyClick();
    QVERIFY(covered);
    QVERIFY(timerOff);
    QVERIFY(busyShown);
    QCOMPARE(applies, 0);
    QCOMPARE(f.mouse.reloadCount() + f.mouse.reportRateReloadCount(), 1);
    QCOMPARE(f.window->busyWindow().reportsDone(), 4923);
    QVERIFY(!f.shown(QStringLiteral("Disable_All")));
    QVERIFY(f.window->devTimer().isActive());
}

void TestMainWindow::unplugDuringWriteIsShownAsFailure()
{
    WindowFixture f(QStringLiteral("b58"));
    f.window->DevTimerTimer();
    f.mouse.unplugAfterReports(300);
    f.window->Btn_ApplyClick();
    QCOMPARE(f.messages.seen.size(), 1);
    const QString pattern = text("Str023");
    QVERIFY(f.messages.seen[0].text.startsWith(pattern.left(pattern.indexOf(QLatin1String("%1")))));
    QVERIFY(f.window->link().transfer.lastFailedReports() > 0);
    QVERIFY(!f.window->busyWindow().isVisible());
    QVERIFY(f.window->devTimer().isActive());
    QVERIFY(f.window->isVisible());
}

void TestMainWindow::confirmClosesAfterItsWrite()
{
    WindowFixture f(QStringLiteral("b58"));
    f.window->DevTimerTimer();
    const qint64 start = f.clock.waitedMs();
    f.window->Btn_ConfirmClick();
    QCOMPARE(f.mouse.reloadCount() + f.mouse.reportRateReloadCount(), 1);
    // One pressed pause before the write, one before the close.
    QCOMPARE(f.clock.waitedMs() - start, 220);
    QTRY_VERIFY(!f.window->isVisible());
    QVERIFY(!f.window->config().state().deviceOpen());
}

void TestMainWindow::marqueeRestsTheHotPlugTimer()
{
    WindowFixture f(QStringLiteral("b58"));
    f.window->DevTimerTimer();
    QWidget *key = f.get(QStringLiteral("Key1"));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(key, &enter);
    QVERIFY(!f.window->devTimer().isActive());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(key, &leave);
    QVERIFY(f.window->devTimer().isActive());
}

void TestMainWindow::saveThenLoadThroughTheDialogs()
{
    QTemporaryDir dir;
    WindowFixture f(QStringLiteral("b58"));
    f.window->DevTimerTimer();
    const ImageBuffers read = f.window->config().image();
    chooseInNextFileDialog(dir.filePath(QStringLiteral("work")));
    f.window->Btn_SaveClick();
    QFile saved(dir.filePath(QStringLiteral("work.bin")));
    QVERIFY(saved.exists());
    QCOMPARE(saved.size(), 34048);

    f.window->config().image().MacroNameTable.fill(char(0xFF));
    f.window->config().RefreshMacroName();
    chooseInNextFileDialog(saved.fileName());
    f.window->Btn_LoadClick();
    QCOMPARE(f.window->config().image().MacroNameTable, read.MacroNameTable);
    QCOMPARE(f.window->config().image().MacroBlocks, read.MacroBlocks);
    QCOMPARE(f.get<QListWidget>(QStringLiteral("LB_MacroName"))->item(0)->text(),
             f.window->macros().macroNames().value(0));
    QCOMPARE(f.pictureOf(QStringLiteral("Img_Load")), QStringLiteral("SetS_02"));
    QVERIFY(f.messages.seen.isEmpty());

    // A file that cannot be created is named in the message.
    chooseInNextFileDialog(dir.filePath(QStringLiteral("missing/folder/work")));
    f.window->Btn_SaveClick();
    QCOMPARE(f.messages.seen.size(), 1);
    QVERIFY(f.messages.seen[0].text.contains(QStringLiteral("work.bin")));

    // A name that ends with ".bin" already keeps it once.
    chooseInNextFileDialog(dir.filePath(QStringLiteral("named.bin")));
    f.window->Btn_SaveClick();
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("named.bin"))));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("named.bin.bin"))));

    // A file that is not a profile is refused by name, and nothing changes.
    QFile notes(dir.filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("Buy milk.\n") > 0);
    notes.close();
    f.messages.seen.clear();
    chooseInNextFileDialog(notes.fileName());
    f.window->Btn_LoadClick();
    QCOMPARE(f.messages.seen.size(), 1);
    QVERIFY(f.messages.seen[0].text.contains(notes.fileName()));
    QCOMPARE(f.window->config().image().DataBuf, read.DataBuf);
    QCOMPARE(f.window->config().image().MacroNameTable, read.MacroNameTable);
}

// The notice of a read that names a profile without its switch key opens
// inside the transfer: Return closes it, while a key meant for the main
// window is still swallowed.
void TestMainWindow::aBoxRaisedInsideATransferTakesItsKeys()
{
    WindowFixture f(QStringLiteral("b58"));
    QVERIFY(f.mouse.placeImage(switchProfileImageWithoutSwitchKey()));
    auto *repeat = f.get<QLineEdit>(QStringLiteral("Edt_Repeat1"));
    bool busy = false;
    QString before, typed;
    f.messages.closeWithReturn = true;
    f.messages.whileOpen = [&] {
        busy = f.window->busyWindow().isVisible();
        before = repeat->text();
        QTest::keyClick(repeat, Qt::Key_9);
        typed = repeat->text();
    };
    f.window->DevTimerTimer();
    QVERIFY(busy && f.messages.seen.size() == 1 && f.messages.keysIgnored == 0);
    QCOMPARE(typed, before);
    QCOMPARE(f.window->config().currentPage(), Configuration::Page::Switch);
    QVERIFY(!f.window->deviceWorkRunning());
}

void TestMainWindow::webButtonWithoutAHandlerNamesTheGuide()
{
    WindowFixture f(QStringLiteral("b58"));
    SkinnedContent &skin = static_cast<SkinnedContentPort &>(f.window->content()).skin();
    QUrl asked;
    skin.setUrlOpener([&asked](const QUrl &url) {
        asked = url;
        return false;
    });
    QTest::mouseClick(f.get(QStringLiteral("Btn_Web")), Qt::LeftButton);
    QCOMPARE(asked, skin.webAddress());
    QCOMPARE(f.messages.seen.size(), 1);
    const QString where = asked.isLocalFile() ? asked.toLocalFile() : asked.toString();
    QVERIFY2(f.messages.seen[0].text.contains(where), qPrintable(f.messages.seen[0].text));
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
