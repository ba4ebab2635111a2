#include "macro_test_support.h"

#include "macros/input_capture.h"
#include "macros/macro_event_lines.h"
#include "macros/macro_recorder.h"

#include <QtTest>

// A capture driven by hand; it delivers only while started, as every capture must.
class ScriptedCapture : public InputCapture
{
public:
    bool start() override { return capturing = true; }
    void stop() override { capturing = false; }
    bool isCapturing() const override { return capturing; }
    bool isSystemWide() const override { return systemWide; }
    void key(int vk, bool pressed) { emit keyEvent(vk, pressed); }
    void button(MacroMouseButton b, bool pressed) { emit mouseButtonEvent(b, pressed); }

    bool capturing = false;
    bool systemWide = true;
};

// A capture wired to the recorder as the macro page wires them.
class InputCaptureTest : public QObject
{
    Q_OBJECT
private slots:
    void eventsBecomeLinesAndTheRecorderStopsTheCapture()
    {
        ManualClock clock{1000};
        MacroEventLines lines;
        MacroRecorder recorder(lines, clock.function());
        recorder.StoreMacro = [] {};
        ScriptedCapture capture;
        connectCaptureToRecorder(capture, recorder);

        capture.start();
        recorder.startRecording();
        capture.key(kVkA, true);
        clock.now += 120;
        capture.key(kVkA, false);
        capture.button(MacroMouseButton::Right, true);
        capture.key(0xA1, true); // right Shift is recorded as Shift
        QCOMPARE(lines.lines().mid(0, 4),
                 (QStringList{"10", "1 A CODE:8204", "0 120", "2 A CODE:0204"}));
        QVERIFY(lines.lines().contains(mouseButtonLine(MacroMouseButton::Right, true)));
        QVERIFY(lines.lines().contains(QStringLiteral("1 Shift CODE:8102")));
        capture.key(0xA1, false);

        // The 100th release stops the recorder by itself, and the capture with it.
        for (int released = 2; released < MacroRecordingState::kKeyLimit; ++released) {
            QVERIFY(capture.isCapturing());
            capture.key(kVkB, true);
            capture.key(kVkB, false);
        }
        QVERIFY(!recorder.isRecording());
        QVERIFY(!capture.isCapturing());
    }

    void scopeTextFollowsTheCapture()
    {
        ScriptedCapture capture;
        capture.systemWide = false;
        QCOMPARE(captureScopeTextKey(capture), QStringLiteral("Str440"));
        capture.systemWide = true;
        QCOMPARE(captureScopeTextKey(capture), QStringLiteral("Str441"));
    }
};

QTEST_GUILESS_MAIN(InputCaptureTest)
#include "test_input_capture.moc"
