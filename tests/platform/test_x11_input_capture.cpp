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

    struct Event
    {
        bool isKey;
        int code;
        bool pressed;
        bool operator==(const Event &) const = default;
    };

    void record(InputCapture &capture)
    {
        connect(&capture, &InputCapture::keyEvent, this, [this](int vk, bool pressed) {
            m_events.append({true, vk, pressed});
        });
        connect(&capture, &InputCapture::mouseButtonEvent, this,
                [this](MacroMouseButton b, bool pressed) {
                    m_events.append({false, int(b), pressed});
                });
    }

    // Runs xdotool against the private server and waits until the server has
    // taken everything it sent.
    void xdotool(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_displayName));
        process.setProcessEnvironment(env);
        process.start(m_xdotool, arguments);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 0);
        XSync(m_display, False);
    }

    static QList<Event> withoutModifiers(const QList<Event> &events)
    {
        QList<Event> kept;
        for (const Event &e : events) {
            if (!e.isKey || e.code < 0xA0 || e.code > 0xA5)
                kept.append(e);
        }
        return kept;
    }

    // Whether the wanted events occur in this order within events.
    static bool inOrder(const QList<Event> &events, const QList<Event> &wanted)
    {
        qsizetype next = 0;
        for (const Event &e : events) {
            if (next < wanted.size() && e == wanted[next])
                ++next;
        }
        return next == wanted.size();
    }

    static Event key(int vk, bool pressed) { return {true, vk, pressed}; }
    static Event button(MacroMouseButton b, bool pressed) { return {false, int(b), pressed}; }

private slots:
    void initTestCase()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        m_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xvfb.isEmpty() || m_xdotool.isEmpty())
            QSKIP("Xvfb or xdotool is not installed (apt-get install xvfb xdotool); the "
                  "system-wide capture needs a real X server to be tested");

        // The server picks a free display number and writes it to its output.
        m_xvfb.setProgram(xvfb);
        m_xvfb.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                             QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                             QStringLiteral("-screen"), QStringLiteral("0"),
                             QStringLiteral("320x240x24")});
        m_xvfb.setProcessChannelMode(QProcess::SeparateChannels);
        m_xvfb.start();
        QVERIFY2(m_xvfb.waitForStarted(10000), "Xvfb did not start");
        QTRY_VERIFY_WITH_TIMEOUT(m_xvfb.canReadLine(), 20000);
        m_displayName = ":" + m_xvfb.readLine().trimmed();

        m_display = XOpenDisplay(m_displayName.constData());
        QVERIFY2(m_display, "cannot connect to the private Xvfb");
        QVERIFY(X11InputCapture::isAvailable(m_displayName));

        // Another application's window, with the keyboard focus.
        m_window =
            XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 200, 200, 0, 0, 0);
        XSelectInput(m_display, m_window, KeyPressMask);
        XMapRaised(m_display, m_window);
        XSync(m_display, False);
        XSetInputFocus(m_display, m_window, RevertToParent, CurrentTime);
        XSync(m_display, False);
    }

    void cleanupTestCase()
    {
        if (m_display)
            XCloseDisplay(m_display);
        if (m_xvfb.state() != QProcess::NotRunning) {
            m_xvfb.terminate();
            m_xvfb.waitForFinished(5000);
        }
    }

    void init() { m_events.clear(); }

    void recordsKeysTypedIntoAnotherWindow()
    {
        X11InputCapture capture(m_displayName);
        record(capture);
        QVERIFY(capture.isSystemWide());

        xdotool({"key", "b"}); // before start: not heard
        QVERIFY(capture.start());
        xdotool({"key", "c"});
        // xdotool presses and releases modifiers of its own around a modifier
        // key, so the sided keys are looked for in order among whatever it adds.
        xdotool({"keydown", "Shift_R"});
        xdotool({"keyup", "Shift_R"});
        xdotool({"keydown", "Control_L"});
        xdotool({"keyup", "Control_L"});
        xdotool({"key", "KP_Add", "semicolon", "F5"});
        QTRY_VERIFY(m_events.contains(key(0x74, false)));

        const QList<Event> keys = withoutModifiers(m_events);
        QCOMPARE(keys, (QList<Event>{key(0x43, true), key(0x43, false), key(0x6B, true),
                                     key(0x6B, false), key(0xBA, true), key(0xBA, false),
                                     key(0x74, true), key(0x74, false)}));
        QVERIFY(inOrder(m_events, {key(0xA1, true), key(0xA1, false), key(0xA2, true),
                                   key(0xA2, false), key(0x6B, true)}));
        const qsizetype heard = m_events.size();
        capture.stop();
        xdotool({"key", "d"}); // after stop: not heard
        QTest::qWait(300);
        QCOMPARE(m_events.size(), heard);

        // The keys went to the focused window of the other client, not to us.
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
        xdotool(
            {"click", "1", "click", "2", "click", "3", "click", "8", "click", "9", "click", "4"});
        QTRY_COMPARE(m_events.size(), 10);
        using B = MacroMouseButton;
        QCOMPARE(m_events, (QList<Event>{button(B::Left, true), button(B::Left, false),
                                         button(B::Middle, true), button(B::Middle, false),
                                         button(B::Right, true), button(B::Right, false),
                                         button(B::Backward, true), button(B::Backward, false),
                                         button(B::Forward, true), button(B::Forward, false)}));
    }

    void nothingQueuedArrivesAfterStop()
    {
        X11InputCapture capture(m_displayName);
        record(capture);
        QVERIFY(capture.start());
        xdotool({"key", "e", "f", "g"});
        // Stopped before the UI thread took any of them: what is in flight is dropped.
        capture.stop();
        QTest::qWait(300);
        QVERIFY(m_events.isEmpty());

        // A new capture session hears again, and only its own events.
        QVERIFY(capture.start());
        xdotool({"key", "h"});
        QTRY_COMPARE(m_events.size(), 2);
        QCOMPARE(m_events, (QList<Event>{key(0x48, true), key(0x48, false)}));
    }

    // Last: it takes the server away.
    void survivesTheServerGoingAway()
    {
        X11InputCapture capture(m_displayName);
        record(capture);
        QVERIFY(capture.start());
        XCloseDisplay(m_display);
        m_display = nullptr;
        m_xvfb.terminate();
        QVERIFY(m_xvfb.waitForFinished(10000));
        capture.stop();
        QVERIFY(!capture.isCapturing());
        QVERIFY(m_events.isEmpty());
        QVERIFY(!capture.start()); // no server, no capture
        QVERIFY(!X11InputCapture::isAvailable(m_displayName));
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
