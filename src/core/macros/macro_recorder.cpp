#include "macros/macro_recorder.h"

#include "buttons/key_tables.h"
#include "macros/macro_event_lines.h"
#include "macros/macro_format.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

constexpr quint8 kModifierPress = 0x81;
constexpr quint8 kModifierRelease = 0x01;
constexpr quint8 kKeyPress = 0x82;
constexpr quint8 kKeyRelease = 0x02;

QString recordedKeyLine(int virtualKey, bool pressed)
{
    const int index = VirtualKeyToKeyIndex(virtualKey);
    const QString name = KeyIndexToName(index);
    if (const quint8 bit = modifierBit(virtualKey))
        return keyEventLine(pressed, name, pressed ? kModifierPress : kModifierRelease, bit);
    return keyEventLine(pressed, name, pressed ? kKeyPress : kKeyRelease,
                        KeyIndexToDeviceKey(index));
}

int encodedSize(const QStringList &lines)
{
    int bytes = 1; // terminator
    for (qsizetype i = 1; i < lines.size(); ++i)
        bytes += encodedLineSize(lines[i]);
    return bytes;
}

} // namespace

MillisecondClock steadyMillisecondClock()
{
    return [timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }()]() { return quint32(timer.elapsed()); };
}

MacroRecorder::MacroRecorder(MacroEventLines &lines, MillisecondClock clock, QObject *parent)
    : QObject(parent), m_lines(lines), m_clock(std::move(clock))
{
    m_hook.OnReceive = [this](int key, TKeyboardHookState state, int) {
        KeyboardHook1Receive(key, state);
    };
}

void MacroRecorder::startRecording()
{
    if (m_state.RecordingActive)
        return;
    m_state.RecordingActive = true;
    m_state.InsertRecording = false;
    m_state.LastEventTick = 0;
    m_state.HasLastEvent = false;
    m_state.PressCount = 0;
    m_state.ReleaseCount = 0;
    m_state.PressLimitHit = false;
    m_state.LastKey = -1;
    m_state.MacroFull = false;
    m_lines.clear();
    m_lines.setWrScript(QString());
    m_streamBytes = 1;
    m_hook.Enabled = true;
    emit recordingChanged();
}

void MacroRecorder::stopRecording()
{
    if (!m_state.RecordingActive || m_state.InsertRecording)
        return;
    m_state.RecordingActive = false;
    m_state.LastEventTick = 0;
    m_state.HasLastEvent = false;
    m_hook.Enabled = false;
    if (StoreMacro)
        StoreMacro();
    emit recordingChanged();
}

bool MacroRecorder::startInsertRecording(MacroInsertPlacement placement)
{
    if (m_state.RecordingActive || m_lines.selectedRow() < 0 ||
        m_state.InsertPressCount >= MacroRecordingState::kKeyLimit ||
        m_state.InsertReleaseCount >= MacroRecordingState::kKeyLimit)
        return false;
    m_placement = placement;
    m_state.RecordingActive = true;
    m_state.InsertRecording = true;
    m_state.InsertPosition = m_lines.selectedRow();
    m_state.LastEventTick = 0;
    m_state.HasLastEvent = false;
    m_state.PressLimitHit = false;
    m_state.LastKey = -1;
    m_state.MacroFull = false;
    m_streamBytes = encodedSize(m_lines.lines());
    m_hook.Enabled = true;
    emit recordingChanged();
    return true;
}

void MacroRecorder::stopInsertRecording()
{
    if (!m_state.RecordingActive || !m_state.InsertRecording)
        return;
    m_state.RecordingActive = false;
    m_state.InsertRecording = false;
    m_state.LastEventTick = 0;
    m_state.HasLastEvent = false;
    m_hook.Enabled = false;
    emit recordingChanged();
}

void MacroRecorder::stopCurrent()
{
    if (m_state.InsertRecording)
        stopInsertRecording();
    else
        stopRecording();
}

bool MacroRecorder::isRowAtKeyLimit(int row) const
{
    constexpr int limit = MacroRecordingState::kKeyLimit;
    if (row < 0 || row != m_lines.rowCount() - 1)
        return false;
    return (m_state.PressCount == limit && m_state.ReleaseCount == limit) ||
           (m_state.InsertPressCount == limit && m_state.InsertReleaseCount == limit);
}

const MacroDelaySettings &MacroRecorder::activeDelay() const
{
    return m_state.InsertRecording ? m_insertDelay : m_normalDelay;
}

void MacroRecorder::ensureDelayModeLine()
{
    if (m_lines.isEmpty())
        m_lines.appendLine(delayModeLine(m_normalDelay.mode, m_normalDelay.delay));
}

QStringList MacroRecorder::pendingDelayLines(quint32 now) const
{
    QStringList delays;
    if (!m_state.HasLastEvent)
        return delays;
    const MacroDelaySettings &settings = activeDelay();
    if (settings.mode == MacroDelayMode::RecordedDelay) {
        // The tick wraps; the unsigned difference stays right across the wrap.
        const quint32 elapsed = std::min<quint32>(now - m_state.LastEventTick, kMaxRecordedDelay);
        for (quint32 i = 0; i < elapsed / kMaxRecordedDelay; ++i)
            delays.append(delayLine(kMaxRecordedDelay));
        if (elapsed % kMaxRecordedDelay > 0)
            delays.append(delayLine(int(elapsed % kMaxRecordedDelay)));
    } else if (settings.mode == MacroDelayMode::FixedDelay) {
        delays.append(delayLine(settings.delay));
    }
    return delays;
}

bool MacroRecorder::placeEvent(const QString &eventLine)
{
    const quint32 now = m_clock ? m_clock() : 0;
    QStringList lines = pendingDelayLines(now);
    lines.append(eventLine);
    int bytes = 0;
    for (const QString &line : lines)
        bytes += encodedLineSize(line);
    if (m_streamBytes + bytes > kMacroStreamMax)
        return false;

    for (const QString &line : lines)
        placeLine(line);
    m_streamBytes += bytes;
    if (activeDelay().mode != MacroDelayMode::NoDelay) {
        m_state.LastEventTick = now;
        m_state.HasLastEvent = true;
    }
    return true;
}

void MacroRecorder::placeLine(const QString &line)
{
    if (!m_state.InsertRecording) {
        m_lines.appendLine(line);
        m_lines.setSelectedRow(m_lines.rowCount() - 1);
        return;
    }
    const int offset = m_placement == MacroInsertPlacement::Front ? 1 : 2;
    m_lines.insertLine(m_state.InsertPosition + offset, line);
    ++m_state.InsertPosition;
    m_lines.setSelectedRow(m_state.InsertPosition);
}

void MacroRecorder::refuseAsFull()
{
    m_state.MacroFull = true;
    emit macroFull();
    stopCurrent();
}

void MacroRecorder::KeyboardHook1Receive(int key, TKeyboardHookState state)
{
    if (!m_state.RecordingActive)
        return;
    if (VirtualKeyToKeyIndex(key) == kh_255)
        return;
    ensureDelayModeLine();

    constexpr int limit = MacroRecordingState::kKeyLimit;
    int &presses = m_state.InsertRecording ? m_state.InsertPressCount : m_state.PressCount;
    int &releases = m_state.InsertRecording ? m_state.InsertReleaseCount : m_state.ReleaseCount;

    enum class Record
    {
        Nothing,
        Press,
        Release
    } record = Record::Nothing;

    auto press = [&] {
        if (presses >= limit)
            m_state.PressLimitHit = true;
        else
            record = Record::Press;
    };
    auto release = [&] {
        if (releases < limit)
            record = Record::Release;
        m_state.LastKey = key;
        m_state.HeldKeys = std::max(0, m_state.HeldKeys - 1);
    };

    switch (state) {
    case kh_On:
        if (key == m_state.LastKey && m_state.HeldKeys != 0)
            return;
        press();
        m_state.LastKey = key;
        ++m_state.HeldKeys;
        break;
    case kh_Repeat:
        if (key == m_state.LastKey)
            return; // auto-repeat of the held key
        ++m_state.HeldKeys;
        press();
        m_state.LastKey = key;
        break;
    case kh_Off:
        // A key pressed before the limit was hit still counts its release.
        if (!m_state.PressLimitHit || key != m_state.LastKey) {
            release();
        } else {
            // The refused key comes up: nothing to record, but it is no longer held.
            m_state.HeldKeys = std::max(0, m_state.HeldKeys - 1);
        }
        break;
    }

    if (record != Record::Nothing) {
        const bool pressed = record == Record::Press;
        if (!placeEvent(recordedKeyLine(key, pressed))) {
            refuseAsFull();
            return;
        }
        ++(pressed ? presses : releases);
    }

    if (releases >= limit)
        stopCurrent();
}

void MacroRecorder::mouseButtonEvent(MacroMouseButton button, bool pressed)
{
    if (!m_state.RecordingActive)
        return;
    if (button == MacroMouseButton::Left && m_overRecordButton)
        return;
    ensureDelayModeLine();
    if (!placeEvent(mouseButtonLine(button, pressed)))
        refuseAsFull();
}
