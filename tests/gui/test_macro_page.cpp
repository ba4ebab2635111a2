#include "window_fixture.h"

#include "app/skinned_content_port.h"
#include "macros/input_capture.h"
#include "macros/macro_editor.h"
#include "macros/macro_name_dialog.h"
#include "macros/macro_names.h"
#include "macros/macro_page.h"
#include "ui/language.h"
#include "ui/skinned_content.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

namespace {
QString text(const char *key)
{
    return LanguageText(OpenLanguage(1), QString::fromLatin1(key));
}

QByteArray hex(const char *bytes)
{
    return QByteArray::fromHex(QByteArray(bytes).replace(' ', ""));
}

} // namespace

// The macro page of a family-B mouse, driven as a user would: clicks on the
// skin's labels and lists, keys and buttons through the window, as the
// in-window capture hears them, and an injected millisecond tick.
class TestMacroPage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void recordsAKeyWithTheTimeBetween();
    void pressLimitAndAutomaticStop();
    void deletingAPressTakesItsRelease();
    void insertsADelayInFrontOfTheFirstEvent();
    void cancelRestoresTheStoredMacroAndItsView();
    void renamedMacroReachesTheMouseWithTheNextWrite();
    void exportOneThenImportIntoAnotherSlot();
    void leftClickOnStopIsNotRecordedARightClickIs();
    void aFullMacroStopsWithAMessage();
    void unplugEndsARunningRecording();
    void importsRefuseFilesOfAnotherSize();
    void clearAsksInTheWindowsLanguage();

private:
    MacroEditor &editor() { return m_f->window->macros(); }
    MacroPage &page()
    {
        return *qobject_cast<SkinnedContentPort *>(&m_f->window->content())->macroPage();
    }
    QListWidget *events() const { return m_f->get<QListWidget>(QStringLiteral("LB_macro")); }
    void click(const char *name, Qt::MouseButton button = Qt::LeftButton);
    void selectMacro(int index);
    void selectEvent(int row);
    void key(Qt::Key key, bool down);
    void tap(Qt::Key key);
    QByteArray stored(int index) const;
    QStringList rowTexts() const;

    std::unique_ptr<WindowFixture> m_f;
    quint32 m_now = 5000;
};

void TestMacroPage::init()
{
    m_f = std::make_unique<WindowFixture>(QStringLiteral("b58"));
    editor().recorder().setClock([this] { return m_now; });
    m_f->window->DevTimerTimer(); // finds and reads the mouse
    QVERIFY(m_f->shown(QStringLiteral("Btn_Macro")));
    click("Btn_Macro");
    QVERIFY(m_f->shown(QStringLiteral("LB_macro")));
    QVERIFY(QTest::qWaitForWindowExposed(m_f->window.get()));
}

void TestMacroPage::cleanup()
{
    m_f.reset();
}

void TestMacroPage::click(const char *name, Qt::MouseButton button)
{
    QTest::mouseClick(m_f->get(QString::fromLatin1(name)), button);
}

void TestMacroPage::selectMacro(int index)
{
    auto *names = m_f->get<QListWidget>(QStringLiteral("LB_MacroName"));
    names->scrollToItem(names->item(index));
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {},
                      names->visualItemRect(names->item(index)).center());
    QCOMPARE(editor().selectedMacro(), index);
}

void TestMacroPage::selectEvent(int row)
{
    events()->scrollToItem(events()->item(row));
    QTest::mouseClick(events()->viewport(), Qt::LeftButton, {},
                      events()->visualItemRect(events()->item(row)).center());
    QCOMPARE(editor().eventLines().selectedRow(), row);
}

void TestMacroPage::key(Qt::Key code, bool down)
{
    if (down)
        QTest::keyPress(m_f->window->windowHandle(), code);
    else
        QTest::keyRelease(m_f->window->windowHandle(), code);
}

void TestMacroPage::tap(Qt::Key code)
{
    key(code, true);
    key(code, false);
}

QByteArray TestMacroPage::stored(int index) const
{
    const ImageBuffers &image = m_f->window->config().image();
    const int length = macroStreamLength(macroNameEntry(image.MacroNameTable, index));
    return image.MacroBlocks.mid(index * kMacroBlockSize, length);
}

QStringList TestMacroPage::rowTexts() const
{
    QStringList texts;
    for (int row = 0; row < events()->count(); ++row)
        texts << events()->item(row)->text();
    return texts;
}

void TestMacroPage::recordsAKeyWithTheTimeBetween()
{
    // Without an X server only this window is heard, and the page says so.
    QVERIFY(!page().capture().isSystemWide());
    QCOMPARE(m_f->get<QLabel>(QStringLiteral("lbl_CaptureScope"))->text(), text("Str440"));
    QVERIFY(m_f->shown(QStringLiteral("lbl_CaptureScope")));

    // Without a macro Rename does nothing and its button does not look pressed.
    click("Btn_New");
    QVERIFY(!page().nameDialog());
    QCOMPARE(m_f->pictureOf(QStringLiteral("Img_New")), QStringLiteral("MacroS_02"));

    selectMacro(3);
    tap(Qt::Key_B); // nothing is heard before Record
    click("Btn_Start");
    QVERIFY(page().capture().isCapturing());
    QCOMPARE(m_f->get<QLabel>(QStringLiteral("Btn_Start"))->text(), text("Str401"));
    QVERIFY(!m_f->get(QStringLiteral("LB_MacroName"))->isEnabled());
    QVERIFY(!m_f->get(QStringLiteral("Btn_Insert"))->isEnabled());
    QVERIFY(!m_f->get(QStringLiteral("Gb_Delay"))->isEnabled());

    key(Qt::Key_A, true);
    m_now += 120;
    key(Qt::Key_A, false);
    click("Btn_Start");
    QVERIFY(!page().capture().isCapturing());
    tap(Qt::Key_C); // nor after Stop

    QCOMPARE(editor().eventLines().lines(),
             QStringList({"10", "1 A CODE:8204", "0 120", "2 A CODE:0204"}));
    QCOMPARE(rowTexts(), QStringList({"A", "120 ms", "A"}));
    QCOMPARE(stored(3), hex("82 04 FE 00 78 02 04 00"));
    QCOMPARE(m_f->get<QLabel>(QStringLiteral("Btn_Start"))->text(), text("Str400"));
    QVERIFY(m_f->get(QStringLiteral("LB_MacroName"))->isEnabled());
    QVERIFY(m_f->get(QStringLiteral("Gb_Delay"))->isEnabled());
}

void TestMacroPage::pressLimitAndAutomaticStop()
{
    selectMacro(0);
    click("IB_NoDelay");
    QVERIFY(m_f->shown(QStringLiteral("LED_NoDelay")));
    QVERIFY(!m_f->shown(QStringLiteral("LED_RecDelay")));
    click("Btn_Start");
    for (int i = 0; i < 99; ++i)
        tap(Qt::Key_A);
    key(Qt::Key_B, true); // the 100th press
    key(Qt::Key_C, true); // refused
    key(Qt::Key_C, false);
    QVERIFY(page().capture().isCapturing());
    key(Qt::Key_B, false); // the 100th release ends the recording
    QVERIFY(!page().capture().isCapturing());
    QVERIFY(!editor().recorder().isRecording());
    QCOMPARE(m_f->get<QLabel>(QStringLiteral("Btn_Start"))->text(), text("Str400"));

    QCOMPARE(events()->count(), 200);
    QCOMPARE(events()->item(198)->text(), QStringLiteral("B"));
    QCOMPARE(stored(0).size(), 401);
    QVERIFY(stored(0).endsWith(hex("82 05 02 05 00")));
    tap(Qt::Key_D);
    QCOMPARE(events()->count(), 200);

    // At both limits the last row is drawn on red.
    events()->scrollToBottom();
    const QRect last = events()->visualItemRect(events()->item(199));
    const QImage shot = events()->viewport()->grab().toImage();
    QCOMPARE(QColor(shot.pixel(last.right() - 4, last.center().y())), QColor(255, 0, 0));
    const QRect before = events()->visualItemRect(events()->item(197));
    QVERIFY(QColor(shot.pixel(before.right() - 4, before.center().y())) != QColor(255, 0, 0));
}

void TestMacroPage::deletingAPressTakesItsRelease()
{
    selectMacro(6);
    click("IB_NoDelay");
    click("Btn_Start");
    key(Qt::Key_A, true);
    key(Qt::Key_B, true);
    key(Qt::Key_A, false);
    key(Qt::Key_B, false);
    click("Btn_Start");
    QCOMPARE(rowTexts(), QStringList({"A", "B", "A", "B"}));

    selectEvent(0);
    click("Btn_Del");
    QCOMPARE(rowTexts(), QStringList({"B", "B"}));
    QCOMPARE(stored(6), hex("82 05 02 05 00"));
    QCOMPARE(events()->currentRow(), 0);

    selectEvent(1); // a release takes the press before it
    click("Btn_Del");
    QCOMPARE(events()->count(), 0);
    QCOMPARE(stored(6), hex("00"));

    // Clear asks first; Yes empties the block and keeps the name.
    click("Btn_Clear");
    QCOMPARE(m_f->messages.seen.size(), 1);
    const SeenMessage &question = m_f->messages.seen.constFirst();
    QCOMPARE(question.text, text("Str430"));
    QCOMPARE(question.buttons, 2);
    QCOMPARE(question.icon, QMessageBox::Information);
    QVERIFY(question.buttonText.contains(QStringLiteral("Yes")));
    QCOMPARE(stored(6), QByteArray());
    QCOMPARE(m_f->window->config().image().MacroBlocks.mid(6 * kMacroBlockSize, kMacroBlockSize),
             QByteArray(kMacroBlockSize, char(0xFF)));
    QCOMPARE(m_f->get<QListWidget>(QStringLiteral("LB_MacroName"))->item(6)->text(),
             QStringLiteral("macro6"));
}

void TestMacroPage::insertsADelayInFrontOfTheFirstEvent()
{
    selectMacro(2);
    click("Btn_Start");
    tap(Qt::Key_A);
    click("Btn_Start");
    selectEvent(0);

    click("Btn_Insert");
    QVERIFY(m_f->shown(QStringLiteral("Gb_Insert")));
    QVERIFY(m_f->shown(QStringLiteral("Img_InsertBase")));
    QVERIFY(!m_f->shown(QStringLiteral("Gb_Delay")));
    QVERIFY(!m_f->get(QStringLiteral("LB_MacroName"))->isEnabled());
    QVERIFY(!m_f->get(QStringLiteral("Btn_Start"))->isEnabled());
    QVERIFY(!m_f->shown(QStringLiteral("Btn_InsertStart"))); // delays are typed
    QCOMPARE(m_f->get<QComboBox>(QStringLiteral("CB_Insert"))->currentText(), text("Str410"));

    auto *delay = m_f->get<QLineEdit>(QStringLiteral("Edt_InsertDelay"));
    delay->selectAll();
    QTest::keyClicks(delay, QStringLiteral("99999")); // kept at 65530
    QCOMPARE(delay->text(), QStringLiteral("65530"));
    delay->selectAll();
    QTest::keyClicks(delay, QStringLiteral("300"));
    click("Btn_OK");

    QVERIFY(!m_f->shown(QStringLiteral("Gb_Insert")));
    QVERIFY(m_f->shown(QStringLiteral("Gb_Delay")));
    QCOMPARE(rowTexts(), QStringList({"300 ms", "A", "A"}));
    QCOMPARE(events()->currentRow(), 0);
    QCOMPARE(stored(2), hex("FE 01 2C 82 04 02 04 00"));
}

void TestMacroPage::cancelRestoresTheStoredMacroAndItsView()
{
    selectMacro(8);
    click("IB_NoDelay");
    click("Btn_Start");
    for (int i = 0; i < 20; ++i)
        tap(Qt::Key_A);
    click("Btn_Start");
    const QByteArray before = stored(8);

    events()->verticalScrollBar()->setValue(5);
    selectEvent(9);
    QCOMPARE(events()->verticalScrollBar()->value(), 5);

    click("Btn_Insert");
    auto *choices = m_f->get<QComboBox>(QStringLiteral("CB_Insert"));
    choices->setCurrentIndex(MacroEditor::InsertKeyFront);
    emit choices->activated(MacroEditor::InsertKeyFront);
    QVERIFY(m_f->shown(QStringLiteral("Btn_InsertStart")));
    click("Btn_InsertStart");
    QVERIFY(page().capture().isCapturing());
    QVERIFY(!m_f->get(QStringLiteral("Btn_OK"))->isEnabled());
    tap(Qt::Key_B);
    click("Btn_InsertStart");
    QVERIFY(!page().capture().isCapturing());
    QCOMPARE(events()->count(), 42);
    QCOMPARE(events()->item(10)->text(), QStringLiteral("B"));

    click("Btn_Cancel");
    QCOMPARE(events()->count(), 40);
    QCOMPARE(stored(8), before);
    QCOMPARE(events()->verticalScrollBar()->value(), 5);
    QCOMPARE(events()->currentRow(), 9);
    QVERIFY(m_f->get(QStringLiteral("LB_MacroName"))->isEnabled());
}

void TestMacroPage::renamedMacroReachesTheMouseWithTheNextWrite()
{
    selectMacro(5);
    click("Btn_New");
    MacroNameDialog *dialog = page().nameDialog();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->size(), QSize(354, 179));
    QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("lbl_MacroName"))->text(), text("Str510"));
    // The field lies within the well the picture draws for it and has the keys.
    QVERIFY(QRect(52, 64, 217, 30).contains(dialog->nameField()->geometry()));
    QTRY_VERIFY(dialog->nameField()->hasFocus());

    QTest::keyClicks(dialog->nameField(), QStringLiteral("Sniper burst and reload"));
    QCOMPARE(dialog->nameField()->text(), QStringLiteral("Sniper burst a")); // 14 characters
    QTest::mouseClick(dialog->findChild<QWidget *>(QStringLiteral("IB_Cancel")), Qt::LeftButton);
    QVERIFY(dialog->nameField()->text().isEmpty());
    QTest::keyClicks(dialog->nameField(), QStringLiteral("Sniper"));
    selectMacro(7); // the name goes to the macro selected when OK is pressed
    QTest::mouseClick(dialog->findChild<QWidget *>(QStringLiteral("IB_Confirm")), Qt::LeftButton);
    QTRY_VERIFY(!page().nameDialog());

    auto *names = m_f->get<QListWidget>(QStringLiteral("LB_MacroName"));
    QCOMPARE(names->item(7)->text(), QStringLiteral("Sniper"));
    QCOMPARE(RefreshMacroName(m_f->window->config().image().MacroNameTable)[7],
             QStringLiteral("macro7")); // the table waits for the write
    QCOMPARE(names->currentRow(), 7);

    click("Btn_Apply");
    const QStringList inMouse = RefreshMacroName(m_f->mouse.readBytes(0x6400, 1024));
    QCOMPARE(inMouse[7], QStringLiteral("Sniper"));
    QCOMPARE(inMouse[5], QStringLiteral("macro5"));
}

void TestMacroPage::exportOneThenImportIntoAnotherSlot()
{
    QTemporaryDir dir;
    selectMacro(2);
    click("IB_NoDelay");
    click("Btn_Start");
    QTest::mousePress(m_f->window->windowHandle(), Qt::RightButton, {}, QPoint(700, 300));
    QTest::mouseRelease(m_f->window->windowHandle(), Qt::RightButton, {}, QPoint(700, 300));
    click("Btn_Start");
    QCOMPARE(stored(2), hex("A2 22 00"));

    const QString chosen = dir.filePath(QStringLiteral("burst"));
    chooseInNextFileDialog(chosen);
    click("Btn_ExportOne");
    QFile file(chosen + QStringLiteral(".bin"));
    QVERIFY(file.exists());
    QCOMPARE(file.size(), qint64(1056));

    selectMacro(11);
    chooseInNextFileDialog(file.fileName());
    click("Btn_ImportOne");
    QCOMPARE(stored(11), hex("A2 22 00"));
    QCOMPARE(rowTexts(), QStringList({"RightKey", "RightKey"}));
    QCOMPARE(m_f->get<QListWidget>(QStringLiteral("LB_MacroName"))->item(11)->text(),
             QStringLiteral("macro2"));
    QCOMPARE(editor().selectedMacro(), 11);

    // A file that cannot be written is named in the message.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.bin")));
    chooseInNextFileDialog(dir.filePath(QStringLiteral("taken")));
    click("Btn_ExportOne");
    QTRY_COMPARE(m_f->messages.seen.size(), 1);
    QVERIFY(m_f->messages.seen.constFirst().text.contains(QStringLiteral("taken.bin")));
}

void TestMacroPage::leftClickOnStopIsNotRecordedARightClickIs()
{
    selectMacro(1);
    click("IB_NoDelay");
    click("Btn_Start");
    QWindow *window = m_f->window->windowHandle();
    QWidget *start = m_f->get(QStringLiteral("Btn_Start"));
    const QPoint over = start->mapTo(m_f->window.get(), start->rect().center());
    // The pointer comes onto the button.
    QEnterEvent enter(QPointF(start->rect().center()), QPointF(over), QPointF(over));
    QApplication::sendEvent(start, &enter);
    QCOMPARE(m_f->pictureOf(QStringLiteral("Img_Start")), QStringLiteral("MacroS_02"));
    QTest::mouseClick(window, Qt::RightButton, {}, over);
    QVERIFY(editor().recorder().isRecording()); // a right click is no command
    QTest::mouseClick(window, Qt::LeftButton, {}, over);
    QVERIFY(!editor().recorder().isRecording());
    QCOMPARE(stored(1), hex("A2 22 00"));
}

void TestMacroPage::aFullMacroStopsWithAMessage()
{
    // Mouse buttons are not counted against the key limits; the block is.
    selectMacro(4);
    click("IB_NoDelay");
    click("Btn_Start");
    QWindow *window = m_f->window->windowHandle();
    for (int i = 0; i < 520 && editor().recorder().isRecording(); ++i)
        QTest::mouseClick(window, Qt::MiddleButton, {}, QPoint(700, 300));
    QVERIFY(!editor().recorder().isRecording());
    QVERIFY(!page().capture().isCapturing());
    QCOMPARE(stored(4).size(), 1024); // 1023 button events and the terminator
    QTRY_COMPARE(m_f->messages.seen.size(), 1);
    QCOMPARE(m_f->messages.seen.constFirst().text, text("Str027"));
    QCOMPARE(m_f->get<QLabel>(QStringLiteral("Btn_Start"))->text(), text("Str400"));
}

void TestMacroPage::unplugEndsARunningRecording()
{
    selectMacro(9);
    click("Btn_Start");
    tap(Qt::Key_A);
    m_f->mouse.setPlugged(false);
    m_f->window->DevTimerTimer();
    QVERIFY(!page().capture().isCapturing());
    QVERIFY(!editor().recorder().isRecording());
    QCOMPARE(editor().selectedMacro(), -1);
    QCOMPARE(stored(9), QByteArray()); // the half-made recording is not kept
}

// A text file chosen for Import One or All: a message names it, no macro
// changes, and the button looks at rest again.
void TestMacroPage::importsRefuseFilesOfAnotherSize()
{
    QTemporaryDir dir;
    QFile notes(dir.filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write(QByteArray(300, 'x'));
    notes.close();
    const ImageBuffers before = m_f->window->config().image();
    const QStringList names = editor().macroNames();
    selectMacro(3);
    int seen = 0;
    for (const char *button : {"Btn_ImportOne", "Btn_Import"}) {
        chooseInNextFileDialog(notes.fileName());
        click(button);
        ++seen;
        QTRY_COMPARE(m_f->messages.seen.size(), seen);
        QVERIFY(m_f->messages.seen.constLast().text.contains(notes.fileName()));
        QCOMPARE(m_f->window->config().image().MacroBlocks, before.MacroBlocks);
        QCOMPARE(m_f->window->config().image().MacroNameTable, before.MacroNameTable);
        QCOMPARE(editor().macroNames(), names);
        QCOMPARE(m_f->pictureOf(QStringLiteral("Img_") + QString::fromLatin1(button).mid(4)),
                 QStringLiteral("MacroS_01"));
    }
    // A single-macro file is not an all-macros file either.
    QFile one(dir.filePath(QStringLiteral("one.bin")));
    QVERIFY(one.open(QIODevice::WriteOnly));
    one.write(QByteArray(1056, '\0'));
    one.close();
    chooseInNextFileDialog(one.fileName());
    click("Btn_Import");
    ++seen;
    QTRY_COMPARE(m_f->messages.seen.size(), seen);
    QVERIFY(m_f->messages.seen.constLast().text.contains(QStringLiteral("33792")));
    QCOMPARE(m_f->window->config().image().MacroBlocks, before.MacroBlocks);
}

void TestMacroPage::clearAsksInTheWindowsLanguage()
{
    qobject_cast<SkinnedContentPort *>(&m_f->window->content())->skin().languageButtonClick(2);
    selectMacro(3);
    click("Btn_Clear");
    QTRY_COMPARE(m_f->messages.seen.size(), 1);
    QCOMPARE(m_f->messages.seen.constFirst().text, LanguageText(OpenLanguage(2), u"Str430"));
    QCOMPARE(m_f->messages.seen.constFirst().buttonText, LanguageText(OpenLanguage(2), u"Str431"));
    QCOMPARE(m_f->pictureOf(QStringLiteral("Img_Clear")), QStringLiteral("MacroS_01"));
}

QTEST_MAIN(TestMacroPage)
#include "test_macro_page.moc"
