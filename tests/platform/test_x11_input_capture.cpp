#include "captured_events.h"
#include "input/x11_input_capture.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <X11/Xlib.h>

// The system-wide capture against a real X server: a private Xvfb, a window of
// another client holding the focus, and keys and clicks typed by xdotool.
class X11InputCaptureTest : public QObject
{
    Q_OBJECT

    void record(InputCapture &capture) { recordEvents(capture, this, m_events); }

    // Runs xdotool on the private server; returns once the server has taken it all.
    void xdotool(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_displayName));
        process.setProcessEnvironment(env);
        process.start(m_xdotool, arguments);
        QVERIFY(process.waitForFinished(10000) && process.exitCode() == 0);
        XSync(m_display, False);
    }

    // The keys among the events, without the modifiers xdotool presses and
    // releases on its own around a modifier key.
    QList<Event> keysWithoutModifiers() const
    {
        QList<Event> kept;
        for (const Event &e : m_events) {
            if (std::get<0>(e) && (std::get<1>(e) < 0xA0 || std::get<1>(e) > 0xA5))
                kept.append(e);
        }
        return kept;
    }

private slots:
    void initTestCase()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        m_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xvfb.isEmpty() || m_xdotool.isEmpty())
            QSKIP("Xvfb or xdotool is not installed (apt-get install xvfb xdotool); the "
                  "system-wide capture needs a real X server to be tested");
        // The server picks a free display number and writes it to its output.
        m_xvfb.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "320x240x24"});
        QVERIFY2(m_xvfb.waitForStarted(10000), "Xvfb did not start");
        QTRY_VERIFY_WITH_TIMEOUT(m_xvfb.canReadLine(), 20000);
        m_displayName = ":" + m_xvfb.readLine().trimmed();
        m_display = XOpenDisplay(m_displayName.constData());
        QVERIFY2(m_display, "cannot connect to the private Xvfb");
        QVERIFY(X11InputCapture::isAvailable(m_displayName));

        // Another application's window, with the keyboard focus.
        m_window =
            XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 99, 99, 0, 0, 0);
        XSelectInput(m_display, m_window, KeyPressMask);
        XMapRaised(m_display, m_window);
        XSync(m_display, False);
        XSetInputFocus(m_display, m_window, RevertToParent, CurrentTime);
    }

    void cleanupTestCase()
    {
        if (m_display)
            XCloseDisplay(m_display);
        m_xvfb.terminate();
        m_xvfb.waitForFinished(5000);
    }

    void init() { m_events.clear(); }

    void recordsKeysTypedIntoAnotherWindowOnlyWhileCapturing()
    {
        X11InputCapture capture(m_displayName);
        record(capture);
        QVERIFY(capture.isSystemWide());
        xdotool({"key", "b"}); // before start
        QVERIFY(capture.start());
        xdotool({"key", "c"});
        xdotool({"keydown", "Shift_R"});
        xdotool({"keyup", "Shift_R"});
        xdotool({"keydown", "Control_L"});
        xdotool({"keyup", "Control_L"});
        xdotool({"key", "KP_Add", "semicolon", "F5"});
        QTRY_VERIFY(m_events.contains(Event{true, 0x74, false}));
        capture.stop();
        xdotool({"key", "d"}); // after stop
        QTest::qWait(300);

        QCOMPARE(keysWithoutModifiers(), (QList<Event>{{true, 0x43, true},
                                                       {true, 0x43, false},
                                                       {true, 0x6B, true},
                                                       {true, 0x6B, false},
                                                       {true, 0xBA, true},
                                                       {true, 0xBA, false},
                                                       {true, 0x74, true},
                                                       {true, 0x74, false}}));
        const QList<Event> sided = {
            {true, 0xA1, true}, {true, 0xA1, false}, {true, 0xA2, true}, {true, 0xA2, false}};
        qsizetype found = 0; // in this order among what xdotool added
        for (const Event &e : m_events)
            found += found < sided.size() && e == sided[found];
        QCOMPARE(found, sided.size());

        // The keys went to the focused window of the other client.
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(m_display, &focus, &revert);
        QCOMPARE(focus, m_window);
        XEvent event;
        QVERIFY(XCheckTypedWindowEvent(m_display, m_window, KeyPress, &event));
    }

    void recordsTheFiveButtons()
    {
        X11InputCapture capture(m_displayName);
        record(capture);
        QVERIFY(capture.start());
        xdotool({"click", "1", "click", "2", "click", "3", "click", "8", "click", "9", "click",
                 "4"}); // 4 is the wheel
        QTRY_COMPARE(m_events.size(), 10);
        QList<Event> expected;
        for (MacroMouseButton b :
             {MacroMouseButton::Left, MacroMouseButton::Middle, MacroMouseButton::Right,
              MacroMouseButton::Backward, MacroMouseButton::Forward})
            expected << Event{false, int(b), true} << Event{false, int(b), false};
        QCOMPARE(m_events, expected);
    }

    void nothingQueuedArrivesAfterStop()
    {
        X11InputCapture capture(m_displayName);
        record(capture);
        QVERIFY(capture.start());
        xdotool({"key", "e", "f", "g"});
        capture.stop(); // before the UI thread took any of them
        QTest::qWait(300);
        QVERIFY(m_events.isEmpty());
        QVERIFY(capture.start()); // a new session hears only its own events
        xdotool({"key", "h"});
        QTRY_COMPARE(m_events, (QList<Event>{{true, 0x48, true}, {true, 0x48, false}}));
    }

    void survivesTheServerGoingAway() // last: it takes the server away
    {
        X11InputCapture capture(m_displayName);
        QVERIFY(capture.start());
        XCloseDisplay(std::exchange(m_display, nullptr));
        m_xvfb.terminate();
        QVERIFY(m_xvfb.waitForFinished(10000));
        capture.stop();
        QVERIFY(!capture.isCapturing());
        QVERIFY(!capture.start());
    }

private:
    QProcess m_xvfb;
    QString m_xdotool;
    QByteArray m_displayName;
    Display *m_display = nullptr;
    Window m_window = 0;
    QList<Event> m_events;
};

QTEST_GUILESS_MAIN(X11InputCaptureTest)
#include "test_x11_input_capture.moc"
