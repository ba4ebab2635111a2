#include "captured_events.h"
#include "input/input_capture_factory.h"
#include "input/window_input_capture.h"

#include <QLineEdit>
#include <QTest>
#include <QWindow>

// The in-window capture on an offscreen window, driven through the window as
// the window system drives it.
class WindowInputCaptureTest : public QObject
{
    Q_OBJECT

    void record(InputCapture &capture) { recordEvents(capture, this, m_events); }
    QWindow *window() const { return m_edit->windowHandle(); }
    void send(QEvent::Type type, quint32 nativeKeyCode, bool autoRepeat = false)
    {
        QKeyEvent event(type, Qt::Key_Shift, {}, nativeKeyCode, 0, 0, QString(), autoRepeat);
        QCoreApplication::sendEvent(window(), &event);
    }

private slots:
    void init()
    {
        m_events.clear();
        m_edit = std::make_unique<QLineEdit>();
        m_edit->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_edit.get()));
        m_edit->activateWindow();
    }

    void hearsKeysOnceAndLeavesThemToTheWidgets()
    {
        WindowInputCapture capture;
        record(capture);
        QVERIFY(!capture.isSystemWide());
        QVERIFY(capture.start());
        QTest::keyClick(window(), Qt::Key_A);
        QTest::keyClick(window(), Qt::Key_5, Qt::KeypadModifier);
        send(QEvent::KeyPress, 62);         // right Shift, held: repeats are downs,
        send(QEvent::KeyRelease, 62, true); // the ups between them are not real
        send(QEvent::KeyPress, 62, true);
        send(QEvent::KeyRelease, 62);
        QCOMPARE(m_events, (QList<Event>{{true, 0x41, true},
                                         {true, 0x41, false},
                                         {true, 0x65, true},
                                         {true, 0x65, false},
                                         {true, 0xA1, true},
                                         {true, 0xA1, true},
                                         {true, 0xA1, false}}));
        QCOMPARE(m_edit->text(), QStringLiteral("a5"));
    }

    void hearsTheFiveButtons()
    {
        WindowInputCapture capture;
        record(capture);
        capture.start();
        const std::pair<Qt::MouseButton, MacroMouseButton> buttons[] = {
            {Qt::LeftButton, MacroMouseButton::Left},
            {Qt::RightButton, MacroMouseButton::Right},
            {Qt::MiddleButton, MacroMouseButton::Middle},
            {Qt::BackButton, MacroMouseButton::Backward},
            {Qt::ForwardButton, MacroMouseButton::Forward}};
        QList<Event> expected;
        for (const auto &[qt, macro] : buttons) {
            QTest::mousePress(window(), qt, {}, QPoint(5, 5));
            QTest::mouseRelease(window(), qt, {}, QPoint(5, 5));
            expected << Event{false, int(macro), true} << Event{false, int(macro), false};
        }
        QCOMPARE(m_events, expected);
    }

    void hearsNothingBeforeStartOrAfterStop()
    {
        WindowInputCapture capture;
        record(capture);
        QTest::keyClick(window(), Qt::Key_B);
        QVERIFY(capture.start());
        QVERIFY(capture.start()); // a second start changes nothing
        QTest::keyClick(window(), Qt::Key_C);
        capture.stop();
        QTest::keyClick(window(), Qt::Key_D);
        QTest::mouseClick(window(), Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(m_events, (QList<Event>{{true, 0x43, true}, {true, 0x43, false}}));
        QCOMPARE(m_edit->text(), QStringLiteral("bcd"));
    }

    void factoryKeepsToTheWindowWithoutAnX11Screen()
    {
        QVERIFY(!createInputCapture()->isSystemWide());
        QCOMPARE(chooseInputCapture(QStringLiteral("xcb"), true), InputCaptureKind::X11);
        QCOMPARE(chooseInputCapture(QStringLiteral("xcb"), false), InputCaptureKind::Window);
        QCOMPARE(chooseInputCapture(QStringLiteral("wayland"), true), InputCaptureKind::Window);
    }

private:
    QList<Event> m_events;
    std::unique_ptr<QLineEdit> m_edit;
};

QTEST_MAIN(WindowInputCaptureTest)
#include "test_window_input_capture.moc"
