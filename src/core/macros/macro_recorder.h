#pragma once

#include "macros/keyboard_hook.h"
#include "macros/macro_format.h"

#include <QObject>
#include <QStringList>

#include <functional>

class MacroEventLines;

// A millisecond tick; only differences of it are recorded, so any monotonic
// source serves (tests inject their own).
using MillisecondClock = std::function<quint32()>;
MillisecondClock steadyMillisecondClock();

// One set of delay switches with its delay field.
struct MacroDelaySettings
{
    MacroDelayMode mode = MacroDelayMode::RecordedDelay;
    int delay = kDefaultTypedDelay; // always 1..65530

    void setDelay(int ms) { delay = clampTypedDelay(ms); }
};

// Where an insert recording puts its events relative to the selected row.
enum class MacroInsertPlacement
{
    Front, // "Insert Key Front": before the selected event
    Back   // "Insert Key Back": after it
};

struct MacroRecordingState
{
    static constexpr int kKeyLimit = 100;

    bool RecordingActive = false;
    bool InsertRecording = false;
    int InsertPosition = 0;
    int PressCount = 0;
    int ReleaseCount = 0;
    int InsertPressCount = 0;
    int InsertReleaseCount = 0;
    bool PressLimitHit = false;
    int LastKey = -1;
    int HeldKeys = 0; // carries over from one recording to the next
    quint32 LastEventTick = 0;
    bool HasLastEvent = false; // a tick of 0 is a valid tick, not "no event"
    bool MacroFull = false;    // the last recording stopped because the block was full
};

// Records key and mouse-button events into the open macro's event lines. Feed
// key events through keyboardHook() (raw downs and ups) and mouse buttons
// through mouseButtonEvent(); both are only taken while a recording runs.
//
// A recording is refused at the first event whose lines would make the stream
// longer than one block: that event is dropped, macroFull() is emitted and the
// recording stops as if Stop had been pressed (a normal recording stores what
// it has).
class MacroRecorder : public QObject
{
    Q_OBJECT
public:
    explicit MacroRecorder(MacroEventLines &lines,
                           MillisecondClock clock = steadyMillisecondClock(),
                           QObject *parent = nullptr);

    TKeyboardHook &keyboardHook() { return m_hook; }
    // The tick source of later events (tests and tools bring their own).
    void setClock(MillisecondClock clock) { m_clock = std::move(clock); }
    MacroRecordingState &state() { return m_state; }
    const MacroRecordingState &state() const { return m_state; }

    MacroDelaySettings &normalDelay() { return m_normalDelay; } // rb_RecDelay ... Edt_Delay
    MacroDelaySettings &insertDelay()
    {
        return m_insertDelay;
    } // rb_InsertRecDelay ... Edt_InsertDelay
    const MacroDelaySettings &normalDelay() const { return m_normalDelay; }
    const MacroDelaySettings &insertDelay() const { return m_insertDelay; }

    bool isRecording() const { return m_state.RecordingActive; }
    bool isInsertRecording() const { return m_state.RecordingActive && m_state.InsertRecording; }

    // Called when a normal recording stops; stores the lines into the macro.
    std::function<void()> StoreMacro;

    // Normal recording: replaces the open macro's lines.
    void startRecording();
    void stopRecording();
    // Insert recording around the selected row; false (nothing starts) without
    // a selected row or with an insert key count at its limit.
    bool startInsertRecording(MacroInsertPlacement placement);
    void stopInsertRecording();

    // The pointer over a record button: a left click there starts or stops
    // the recording and is not one of its events.
    void setOverRecordButton(bool over) { m_overRecordButton = over; }

    void KeyboardHook1Receive(int key, TKeyboardHookState state);
    void mouseButtonEvent(MacroMouseButton button, bool pressed);

    // The last row is drawn alarmed once both key counts of either recording form reached 100.
    bool isRowAtKeyLimit(int row) const;

signals:
    void recordingChanged();
    void macroFull();

private:
    const MacroDelaySettings &activeDelay() const;
    void ensureDelayModeLine();
    QStringList pendingDelayLines(quint32 now) const;
    // Places the delay lines and the event line, or refuses them when the
    // block would overflow; true when placed.
    bool placeEvent(const QString &eventLine);
    void placeLine(const QString &line);
    void refuseAsFull();
    void stopCurrent();

    MacroEventLines &m_lines;
    MillisecondClock m_clock;
    TKeyboardHook m_hook;
    MacroRecordingState m_state;
    MacroDelaySettings m_normalDelay;
    MacroDelaySettings m_insertDelay;
    MacroInsertPlacement m_placement = MacroInsertPlacement::Front;
    bool m_overRecordButton = false;
    int m_streamBytes = 1; // the open macro's encoded size, terminator included
};
