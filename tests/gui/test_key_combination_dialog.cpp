#include "button_page_input.h"

#include "ui/skin_picture.h"

#include <QCheckBox>
#include <QLineEdit>

#include <algorithm>

namespace {

struct DialogWindow : ButtonWindow
{
    KeyCombinationDialog *openFor(const QString &button)
    {
        click(button);
        choose(QStringLiteral("Key_Assembly"));
        return pages().keyCombinationDialog();
    }
    // A part of the dialog: the main window has an Img_Confirm of its own.
    template <typename T = QWidget> T *part(const char *name)
    {
        return pages().keyCombinationDialog()->findChild<T *>(QString::fromLatin1(name));
    }
    void press(Qt::Key key, Qt::KeyboardModifiers held = {})
    {
        QTest::keyClick(part("Edt_Assembly"), key, held);
    }
    void tick(const char *box) { QTest::mouseClick(part(box), Qt::LeftButton, {}, QPoint(6, 9)); }
    QString field() { return part<QLineEdit>("Edt_Assembly")->text(); }
    int openDialogs()
    {
        const QList<KeyCombinationDialog *> dialogs = window->findChildren<KeyCombinationDialog *>();
        return int(std::count_if(dialogs.begin(), dialogs.end(),
                                 [](KeyCombinationDialog *dialog) { return dialog->isVisible(); }));
    }
};

} // namespace

class TestKeyCombinationDialog : public QObject
{
    Q_OBJECT
private slots:
    void opensOverTheWindowShapedAndNotModal();
    void ctrlAPlusBConfirmedIntoTheCurrentButton();
    void clearCloseAndOneDialogAtATime();
};

void TestKeyCombinationDialog::opensOverTheWindowShapedAndNotModal()
{
    DialogWindow w;
    KeyCombinationDialog *dialog = w.openFor("Key7");
    QVERIFY(dialog && dialog->isVisible() && !dialog->isModal() && !w.open("Pnl_Main"));
    QCOMPARE(dialog->windowFlags() & (Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
             Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    const QRect main = w.window->frameGeometry();
    QCOMPARE(dialog->geometry(), QRect(main.x() + (main.width() - 354) / 2,
                                       main.y() + (main.height() - 179) / 2 + 40, 354, 179));
    QVERIFY(!dialog->mask().contains(QPoint(0, 0)) && dialog->mask().contains(QPoint(177, 90)));
    QCOMPARE(w.part<SkinPicture>("Img_Assembly")->pictureName(), QStringLiteral("AssemblyBack"));
    QCOMPARE(w.part<QLabel>("lbl_Assembly")->text(), QStringLiteral("Assembly Key"));
    QCOMPARE(w.part<QLabel>("IB_Confirm")->text(), QStringLiteral("Confirm"));
    QCOMPARE(w.part("IB_Close")->geometry(), QRect(316, 6, 30, 30));
    QVERIFY(w.part("Img_Confirm")->isHidden());
    w.enter(w.part("IB_Confirm"));
    QVERIFY(!w.part("Img_Confirm")->isHidden());
    QCOMPARE(w.part<SkinPicture>("Img_Cancel")->pictureName(), QStringLiteral("DlgBtnS_02"));
    w.click("Key5"); // the main window stays usable
    QVERIFY(w.open("Pnl_Main"));
}

void TestKeyCombinationDialog::ctrlAPlusBConfirmedIntoTheCurrentButton()
{
    DialogWindow w;
    w.openFor("Key8");
    // A ticked box shows plainly: its mark is filled with the accent.
    const auto accentPixels = [&w](const char *box) {
        const QImage image = w.part(box)->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                count += c.red() > 200 && c.green() < 130 && c.blue() < 100;
            }
        return count;
    };
    QCOMPARE(accentPixels("CB_Ctrl"), 0);
    w.tick("CB_Ctrl");
    QVERIFY(accentPixels("CB_Ctrl") >= 60);
    w.press(Qt::Key_A);
    w.press(Qt::Key_B, Qt::ShiftModifier); // modifiers come from the boxes only
    w.press(Qt::Key_B);
    QCOMPARE(w.field(), QStringLiteral("Ctrl+A+B"));
    w.click("Key4"); // Confirm applies to the button current then
    w.click("Img_P1");
    QTest::mouseClick(w.part("IB_Confirm"), Qt::LeftButton);
    QCOMPARE(w.code(1, 4), QByteArray::fromHex("02010405"));
    QCOMPARE(w.caption("Key4"), QStringLiteral("Ctrl+A+B"));
    QCOMPARE(w.openDialogs(), 0);

    w.openFor("Key9");
    w.press(Qt::Key_A);
    w.press(Qt::Key_Tab); // stays in the key field and is captured
    QCOMPARE(w.field(), QStringLiteral("A+Tab"));
    w.press(Qt::Key_F5); // a third key starts anew
    QTest::mouseClick(w.part("IB_Confirm"), Qt::LeftButton);
    QCOMPARE(w.code(1, 9), QByteArray::fromHex("02003E00"));
}

void TestKeyCombinationDialog::clearCloseAndOneDialogAtATime()
{
    DialogWindow w;
    const QByteArray before = w.config().sections().Profile;
    const QString caption = w.caption("Key6");
    KeyCombinationDialog *first = w.openFor("Key6");
    w.tick("CB_Win");
    w.press(Qt::Key_Z);
    QTest::mouseClick(w.part("IB_Cancel"), Qt::LeftButton);
    QVERIFY(w.field().isEmpty() && !w.part<QCheckBox>("CB_Win")->isChecked());
    QVERIFY(!w.config().buttonAssignment().pendingKeyCombination().confirmed);
    w.press(Qt::Key_C);
    QCOMPARE(w.openFor("Key6"), first); // the open dialog starts afresh
    QCOMPARE(w.openDialogs(), 1);
    QVERIFY(w.field().isEmpty());
    w.press(Qt::Key_Q);
    QTest::mouseClick(w.part("IB_Close"), Qt::LeftButton);
    QCOMPARE(w.openDialogs(), 0);
    QCOMPARE(w.config().sections().Profile, before);
    QCOMPARE(w.caption("Key6"), caption);
}

QTEST_MAIN(TestKeyCombinationDialog)
#include "test_key_combination_dialog.moc"
