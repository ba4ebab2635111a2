#include "window_fixture.h"

#include "app/main_window.h"
#include "app/skinned_content_port.h"
#include "buttons/button_pages.h"
#include "device/simulated_mouse.h"
#include "image/image_layout.h"
#include "ui/skin_label.h"

#include <QEnterEvent>
#include <QListWidget>
#include <QtTest>

namespace {

// The whole window over a simulated mouse, read once, and a user's input.
struct MouseWindow : WindowFixture
{
    explicit MouseWindow(const QString &kind = QStringLiteral("b58")) : WindowFixture(kind)
    {
        window->devTimer().stop();
        window->DevTimerTimer(); // finds the mouse and reads it
    }
    void click(const QString &name)
    {
        QWidget *widget = get(name);
        QWidget *client = window->clientArea();
        const QPoint point = widget->mapTo(client, widget->rect().center());
        QWidget *target = client->childAt(point);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(client, point));
    }
    void enter(const QString &name)
    {
        QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(get(name), &event);
    }
    QByteArray code(int profile, int button) const
    {
        return window->config().sections().Profile.mid(ProfileCodeOffset(profile, button), 4);
    }
    QString caption(int button) const
    {
        return static_cast<QLabel *>(get(QStringLiteral("Key%1").arg(button)))->text();
    }
};

} // namespace

class TestButtonPagesDevice : public QObject
{
    Q_OBJECT
private slots:
    void macroForButtonSixThenApply();
    void familyAMainMenuHasNoMacroEntry();
};

void TestButtonPagesDevice::macroForButtonSixThenApply()
{
    MouseWindow w;
    QVERIFY(w.window->config().state().ChipFamilyB);
    QCOMPARE(w.get("Pnl_Main")->height(), 146);
    w.click("Key6");
    w.enter("Key_Macro");
    auto *picker = static_cast<QListWidget *>(w.get("LB_Name"));
    QVERIFY(!picker->isHidden());
    QCOMPARE(picker->count(), 32);
    QCOMPARE(picker->sizeHintForRow(0), 20);
    const QPoint main = w.get("Pnl_Main")->pos();
    QCOMPARE(picker->pos(), QPoint(main.x() - 162, main.y() + 121)); // right half
    const QString name = picker->item(2)->text();
    QTest::mouseClick(picker->viewport(), Qt::LeftButton, {},
                      picker->visualItemRect(picker->item(2)).center());
    QVERIFY(picker->isHidden());
    QVERIFY(w.get("Pnl_Main")->isHidden());
    QCOMPARE(w.code(1, 6), QByteArray::fromHex("10880000"));
    QCOMPARE(w.caption(6), name);

    // Nothing reaches the mouse before Apply; Apply writes the block with it.
    const int profileAt = kProfileOffset + ProfileCodeOffset(1, 6);
    const QByteArray before = w.mouse.memoryBytes();
    QByteArray expected = w.window->config().image().DataBuf;
    QVERIFY(expected.mid(profileAt, 4) != QByteArray::fromHex("10880000"));
    QVERIFY(before.indexOf(expected) >= 0); // the block as it was read
    w.click("Btn_Apply");
    const QByteArray written = w.window->config().image().DataBuf;
    QCOMPARE(written.mid(profileAt, 4), QByteArray::fromHex("10880000"));
    QVERIFY(w.mouse.memoryBytes().indexOf(written) >= 0);
    QVERIFY(before.indexOf(written) < 0);
}

void TestButtonPagesDevice::familyAMainMenuHasNoMacroEntry()
{
    MouseWindow w(QStringLiteral("a58"));
    QVERIFY(w.window->config().state().ChipFamilyA);
    QCOMPARE(w.get("Pnl_Main")->height(), 122);
    QVERIFY(w.get("Key_Macro")->isHidden());
    w.click("Key5");
    QCOMPARE(w.window->config().buttonAssignment().currentButton(), 5);
    QVERIFY(!w.get("Pnl_Main")->isHidden());
}

QTEST_MAIN(TestButtonPagesDevice)
#include "test_button_pages_device.moc"
