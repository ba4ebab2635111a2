#include "button_page_fixture.h"

#include "ui/skin_picture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

namespace {

struct DialogWindow : ButtonPageWindow
{
    // Opens the dialog from the main menu of `button` (4-12).
    TForm2 *open(int button)
    {
        click(QStringLiteral("Key%1").arg(button));
        choose(QStringLiteral("Key_Assembly"));
        return pages().keyCombinationDialog();
    }
    static QWidget *part(TForm2 *dialog, const char *name)
    {
        auto *found = dialog->findChild<QWidget *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no dialog part %s", name);
        return found;
    }
    static QString field(TForm2 *dialog)
    {
        return dialog->findChild<QLineEdit *>(QStringLiteral("Edt_Assembly"))->text();
    }
    static void press(TForm2 *dialog, Qt::Key key, Qt::KeyboardModifiers held = {})
    {
        QTest::keyClick(part(dialog, "Edt_Assembly"), key, held);
    }
    static void tick(TForm2 *dialog, const char *box)
    {
        auto *check = static_cast<QCheckBox *>(part(dialog, box));
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    }
    static int openDialogs()
    {
        int count = 0;
        for (QWidget *top : QApplication::topLevelWidgets())
            count += top->objectName() == QLatin1String("TForm2") && top->isVisible();
        return count;
    }
};

} // namespace

class TestKeyCombinationDialog : public QObject
{
    Q_OBJECT
private slots:
    void opensOverTheMainWindowWithItsCaptions();
    void ctrlAPlusBConfirmedIntoTheButton();
    void modifiersAndSwallowedKeys();
    void clearAndCloseAssignNothing();
    void oneDialogAtATime();
    void hoverPictures();
};

void TestKeyCombinationDialog::opensOverTheMainWindowWithItsCaptions()
{
    DialogWindow w;
    w.client.move(100, 50);
    TForm2 *dialog = w.open(7);
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(!w.shown("Pnl_Main"));
    QCOMPARE(dialog->size(), QSize(354, 179));
    QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!dialog->isModal());
    const QRect main = w.client.frameGeometry();
    QCOMPARE(dialog->pos(), QPoint(main.x() + (main.width() - 354) / 2,
                                   main.y() + (main.height() - 179) / 2 + 40));
    // The see-through border of the background is cut away.
    QVERIFY(!dialog->mask().isEmpty());
    QVERIFY(!dialog->mask().contains(QPoint(0, 0)));
    QVERIFY(dialog->mask().contains(QPoint(177, 90)));
    QCOMPARE(static_cast<SkinPicture *>(w.part(dialog, "Img_Assembly"))->pictureName(),
             QStringLiteral("AssemblyBack"));
    QCOMPARE(static_cast<QLabel *>(w.part(dialog, "lbl_Assembly"))->text(),
             QStringLiteral("Assembly Key"));
    QCOMPARE(static_cast<QLabel *>(w.part(dialog, "IB_Confirm"))->text(),
             QStringLiteral("Confirm"));
    QCOMPARE(static_cast<QLabel *>(w.part(dialog, "IB_Cancel"))->text(), QStringLiteral("Clear"));
    QCOMPARE(w.part(dialog, "Edt_Assembly")->geometry(), QRect(56, 68, 209, 22));
    QCOMPARE(w.part(dialog, "CB_Win")->geometry(), QRect(232, 96, 44, 19));
    QCOMPARE(w.part(dialog, "IB_Close")->geometry(), QRect(316, 6, 30, 30));
    QVERIFY(static_cast<QLineEdit *>(w.part(dialog, "Edt_Assembly"))->isReadOnly());
    // The main window stays usable meanwhile.
    w.click("Key5");
    QVERIFY(w.shown("Pnl_Main"));
}

void TestKeyCombinationDialog::ctrlAPlusBConfirmedIntoTheButton()
{
    DialogWindow w;
    TForm2 *dialog = w.open(8);
    w.tick(dialog, "CB_Ctrl");
    QCOMPARE(w.field(dialog), QStringLiteral("Ctrl"));
    w.press(dialog, Qt::Key_A);
    w.press(dialog, Qt::Key_B);
    QCOMPARE(w.field(dialog), QStringLiteral("Ctrl+A+B"));
    // The dialog is not modal: the current button may change meanwhile, and
    // Confirm applies to the button current then.
    w.click("Key4");
    w.click("Img_P1");
    QTest::mouseClick(w.part(dialog, "IB_Confirm"), Qt::LeftButton);
    QCOMPARE(w.code(1, 4), bytes({0x02, 0x01, 0x04, 0x05}));
    QCOMPARE(w.caption(4), QStringLiteral("Ctrl+A+B"));
    QCOMPARE(w.config.ProfileCodeStrings()[0][3], QStringLiteral("02010405"));
    QVERIFY(!w.pages().keyCombinationDialog() || !w.pages().keyCombinationDialog()->isVisible());
    QCOMPARE(DialogWindow::openDialogs(), 0);
}

void TestKeyCombinationDialog::modifiersAndSwallowedKeys()
{
    DialogWindow w;
    TForm2 *dialog = w.open(9);
    w.press(dialog, Qt::Key_A, Qt::ShiftModifier); // modifiers come from the boxes only
    QCOMPARE(w.field(dialog), QString());
    w.press(dialog, Qt::Key_A);
    w.tick(dialog, "CB_Alt");
    QCOMPARE(w.field(dialog), QStringLiteral("Alt+A"));
    w.tick(dialog, "CB_Alt");
    QCOMPARE(w.field(dialog), QStringLiteral("A"));
    // Tab stays in the key field and is captured.
    w.press(dialog, Qt::Key_Tab);
    QCOMPARE(w.field(dialog), QStringLiteral("A+Tab"));
    QVERIFY(w.part(dialog, "Edt_Assembly")->hasFocus() || !dialog->isActiveWindow());
    // A third key starts a new combination.
    w.press(dialog, Qt::Key_F5);
    QCOMPARE(w.field(dialog), QStringLiteral("F5"));
    QTest::mouseClick(w.part(dialog, "IB_Confirm"), Qt::LeftButton);
    QCOMPARE(w.code(1, 9), bytes({0x02, 0x00, 0x3E, 0x00}));
}

void TestKeyCombinationDialog::clearAndCloseAssignNothing()
{
    DialogWindow w;
    const QByteArray before = w.config.sections().Profile;
    const QString caption = w.caption(6);
    TForm2 *dialog = w.open(6);
    w.tick(dialog, "CB_Win");
    w.press(dialog, Qt::Key_Z);
    QTest::mouseClick(w.part(dialog, "IB_Cancel"), Qt::LeftButton);
    QCOMPARE(w.field(dialog), QString());
    QVERIFY(!static_cast<QCheckBox *>(w.part(dialog, "CB_Win"))->isChecked());
    QVERIFY(dialog->isVisible());
    QVERIFY(!w.config.buttonAssignment().pendingKeyCombination().confirmed);
    w.press(dialog, Qt::Key_C);
    QTest::mouseClick(w.part(dialog, "IB_Close"), Qt::LeftButton);
    QCOMPARE(DialogWindow::openDialogs(), 0);
    QCOMPARE(w.config.sections().Profile, before);
    QCOMPARE(w.caption(6), caption);

    // After Clear only the key pressed since counts.
    dialog = w.open(6);
    w.press(dialog, Qt::Key_A);
    w.press(dialog, Qt::Key_B);
    QTest::mouseClick(w.part(dialog, "IB_Cancel"), Qt::LeftButton);
    w.press(dialog, Qt::Key_C);
    QTest::mouseClick(w.part(dialog, "IB_Confirm"), Qt::LeftButton);
    QCOMPARE(w.code(1, 6), bytes({0x02, 0x00, 0x06, 0x00}));
    QCOMPARE(w.caption(6), QStringLiteral("C"));
}

void TestKeyCombinationDialog::oneDialogAtATime()
{
    DialogWindow w;
    TForm2 *first = w.open(5);
    w.press(first, Qt::Key_Q);
    TForm2 *second = w.open(7);
    QCOMPARE(second, first);
    QCOMPARE(DialogWindow::openDialogs(), 1);
    // Opened again, it starts afresh.
    QCOMPARE(w.field(second), QString());
    QCOMPARE(w.config.buttonAssignment().currentButton(), 7);
}

void TestKeyCombinationDialog::hoverPictures()
{
    DialogWindow w;
    TForm2 *dialog = w.open(4);
    QWidget *confirmPicture = w.part(dialog, "Img_Confirm");
    QWidget *clearPicture = w.part(dialog, "Img_Cancel");
    QVERIFY(confirmPicture->isHidden());
    QVERIFY(clearPicture->isHidden());
    w.enter(w.part(dialog, "IB_Confirm"));
    QVERIFY(!confirmPicture->isHidden());
    QCOMPARE(static_cast<SkinPicture *>(confirmPicture)->pictureName(),
             QStringLiteral("DlgBtnS_01"));
    w.leave(w.part(dialog, "IB_Confirm"));
    QVERIFY(confirmPicture->isHidden());
    w.enter(w.part(dialog, "IB_Cancel"));
    QVERIFY(!clearPicture->isHidden());
    QCOMPARE(static_cast<SkinPicture *>(clearPicture)->pictureName(), QStringLiteral("DlgBtnS_02"));
    w.leave(w.part(dialog, "IB_Cancel"));
    QVERIFY(clearPicture->isHidden());
}

QTEST_MAIN(TestKeyCombinationDialog)
#include "test_key_combination_dialog.moc"
