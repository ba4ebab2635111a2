#include "macro_test_support.h"

#include "macros/input_capture.h"
#include "macros/macro_event_lines.h"
#include "macros/macro_recorder.h"

#include <QtTest>

// A capture the test drives by hand: it delivers only while started, as every
// capture must.
class ScriptedCapture : public InputCapture
{
public:
    bool start() override
    {
        ++starts;
        capturing = true;
        return true;
    }
    void stop() override
    {
        ++stops;
        capturing = false;
    }
    bool isCapturing() const override { return capturing; }
    bool isSystemWide() const override { return systemWide; }

    void key(int vk, bool pressed)
    {
        if (capturing)
            emit keyEvent(vk, pressed);
    }
    void button(MacroMouseButton b, bool pressed)
    {
        if (capturing)
            emit mouseButtonEvent(b, pressed);
    }

    bool capturing = false;
    bool systemWide = true;
    int starts = 0;
    int stops = 0;
};

// A capture wired to the recorder, as the macro page wires them.
class InputCaptureTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_clock.now = 1000;
        m_lines = std::make_unique<MacroEventLines>();
        m_recorder = std::make_unique<MacroRecorder>(*m_lines, m_clock.function());
        m_recorder->StoreMacro = [] {};
        m_capture = std::make_unique<ScriptedCapture>();
        connectCaptureToRecorder(*m_capture, *m_recorder);
    }

    void keysAndButtonsBecomeEventLines()
    {
        m_capture->start();
        m_recorder->startRecording();
        m_capture->key(kVkA, true);
        m_clock.now += 120;
        m_capture->key(kVkA, false);
        m_capture->button(MacroMouseButton::Right, true);
        m_capture->button(MacroMouseButton::Right, false);
        // Right Shift reaches the recorder as Shift, as the key tables name it.
        m_capture->key(0xA1, true);
        m_capture->key(0xA1, false);
        m_capture->stop();
        m_recorder->stopRecording();

        const QStringList lines = m_lines->lines();
        QCOMPARE(lines.value(0), QStringLiteral("10"));
        QCOMPARE(lines.value(1), QStringLiteral("1 A CODE:8204"));
        QCOMPARE(lines.value(2), QStringLiteral("0 120"));
        QCOMPARE(lines.value(3), QStringLiteral("2 A CODE:0204"));
        QCOMPARE(lines.filter(QStringLiteral(" CODE:")).size(), 6);
        QVERIFY(lines.contains(mouseButtonLine(MacroMouseButton::Right, true)));
        QVERIFY(lines.contains(mouseButtonLine(MacroMouseButton::Right, false)));
        QVERIFY(lines.contains(QStringLiteral("1 Shift CODE:8102")));
    }

    void recorderStoppingByItselfStopsTheCapture()
    {
        m_capture->start();
        m_recorder->startRecording();
        for (int i = 0; i < MacroRecordingState::kKeyLimit; ++i) {
            QCOMPARE(m_capture->stops, 0);
            m_capture->key(kVkA, true);
            m_capture->key(kVkA, false);
        }
        QVERIFY(!m_recorder->isRecording());
        QCOMPARE(m_capture->stops, 1);
        QVERIFY(!m_capture->isCapturing());
    }

    void scopeTextFollowsTheCapture()
    {
        m_capture->systemWide = false;
        QCOMPARE(captureScopeTextKey(*m_capture), QStringLiteral("Str440"));
        m_capture->systemWide = true;
        QCOMPARE(captureScopeTextKey(*m_capture), QStringLiteral("Str441"));
    }

private:
    ManualClock m_clock;
    std::unique_ptr<MacroEventLines> m_lines;
    std::unique_ptr<MacroRecorder> m_recorder;
    std::unique_ptr<ScriptedCapture> m_capture;
};

QTEST_GUILESS_MAIN(InputCaptureTest)
#include "test_input_capture.moc"
