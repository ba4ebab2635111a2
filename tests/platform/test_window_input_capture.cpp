#include "input/input_capture_factory.h"
#include "input/window_input_capture.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

// The in-window capture on an offscreen window with widgets, driven through the
// window as the window system would drive it.
class WindowInputCaptureTest : public QObject
{
    Q_OBJECT

    struct Event
    {
        QString what;
        int code;
        bool pressed;
        bool operator==(const Event &) const = default;
    };

    void record(InputCapture &capture)
    {
        connect(&capture, &InputCapture::keyEvent, this, [this](int vk, bool pressed) {
            m_events.append({"key", vk, pressed});
        });
        connect(&capture, &InputCapture::mouseButtonEvent, this,
                [this](MacroMouseButton b, bool pressed) {
                    m_events.append({"button", int(b), pressed});
                });
    }

    QWindow *window() const { return m_widget->windowHandle(); }

private slots:
    void init()
    {
        m_events.clear();
        m_widget = std::make_unique<QWidget>();
        m_edit = new QLineEdit(m_widget.get());
        (new QVBoxLayout(m_widget.get()))->addWidget(m_edit);
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget.get()));
        m_widget->activateWindow();
        m_edit->setFocus();
    }

    void hearsKeysOnceAndLeavesThemToTheWidgets()
    {
        WindowInputCapture capture;
        record(capture);
        QVERIFY(!capture.isSystemWide());
        QVERIFY(capture.start());
        QTest::keyClick(window(), Qt::Key_A);
        QTest::keyClick(window(), Qt::Key_F12);
        QTest::keyClick(window(), Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(m_events, (QList<Event>{{"key", 0x41, true},
                                         {"key", 0x41, false},
                                         {"key", 0x7B, true},
                                         {"key", 0x7B, false},
                                         {"key", 0x65, true},
                                         {"key", 0x65, false}}));
        QCOMPARE(m_edit->text(), QStringLiteral("a5"));
    }

    void tellsTheSidesOfModifiersAndRepeatsAsDowns()
    {
        WindowInputCapture capture;
        record(capture);
        capture.start();
        // xkb key code 62 is the right Shift key.
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, 62, 0, 0);
        QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, 62, 0, 0,
                           QString(), true);
        QKeyEvent repeatDown(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, 62, 0, 0,
                             QString(), true);
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier, 62, 0, 0);
        for (QKeyEvent *e : {&down, &repeatUp, &repeatDown, &up})
            QCoreApplication::sendEvent(window(), e);
        QCOMPARE(m_events,
                 (QList<Event>{{"key", 0xA1, true}, {"key", 0xA1, true}, {"key", 0xA1, false}}));
    }

    void hearsTheFiveButtons()
    {
        WindowInputCapture capture;
        record(capture);
        capture.start();
        const QPoint at(5, 5);
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton,
                                           Qt::BackButton, Qt::ForwardButton};
        for (Qt::MouseButton b : buttons) {
            QTest::mousePress(window(), b, {}, at);
            QTest::mouseRelease(window(), b, {}, at);
        }
        const int left = int(MacroMouseButton::Left);
        const int right = int(MacroMouseButton::Right);
        const int middle = int(MacroMouseButton::Middle);
        const int backward = int(MacroMouseButton::Backward);
        const int forward = int(MacroMouseButton::Forward);
        QCOMPARE(m_events, (QList<Event>{{"button", left, true},
                                         {"button", left, false},
                                         {"button", right, true},
                                         {"button", right, false},
                                         {"button", middle, true},
                                         {"button", middle, false},
                                         {"button", backward, true},
                                         {"button", backward, false},
                                         {"button", forward, true},
                                         {"button", forward, false}}));
    }

    void hearsNothingBeforeStartOrAfterStop()
    {
        WindowInputCapture capture;
        record(capture);
        QTest::keyClick(window(), Qt::Key_B);
        QTest::mouseClick(window(), Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(capture.start());
        QVERIFY(capture.start()); // a second start changes nothing
        QTest::keyClick(window(), Qt::Key_C);
        capture.stop();
        QVERIFY(!capture.isCapturing());
        QTest::keyClick(window(), Qt::Key_D);
        QTest::mouseClick(window(), Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(m_events, (QList<Event>{{"key", 0x43, true}, {"key", 0x43, false}}));
        // The widgets had every key all along.
        QCOMPARE(m_edit->text(), QStringLiteral("bcd"));
    }

    void factoryTakesTheWindowCaptureWithoutAScreen()
    {
        const std::unique_ptr<InputCapture> capture = createInputCapture();
        QVERIFY(capture);
        QVERIFY(!capture->isSystemWide());
        QCOMPARE(chooseInputCapture(QStringLiteral("xcb"), true), InputCaptureKind::X11);
        QCOMPARE(chooseInputCapture(QStringLiteral("xcb"), false), InputCaptureKind::Window);
        QCOMPARE(chooseInputCapture(QStringLiteral("wayland"), true), InputCaptureKind::Window);
        QCOMPARE(chooseInputCapture(QStringLiteral("offscreen"), true), InputCaptureKind::Window);
    }

private:
    QList<Event> m_events;
    std::unique_ptr<QWidget> m_widget;
    QLineEdit *m_edit = nullptr;
};

QTEST_MAIN(WindowInputCaptureTest)
#include "test_window_input_capture.moc"
