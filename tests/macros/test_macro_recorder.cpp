#include "macro_test_support.h"

#include "macros/macro_area.h"
#include "macros/macro_event_lines.h"
#include "macros/macro_recorder.h"

#include <QSignalSpy>
#include <QtTest>

// The recorder fed with raw key downs/ups and mouse buttons, on a hand-moved clock.
class MacroRecorderTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void keyHookStates();
    void recordsAPressInEachDelayMode_data();
    void recordsAPressInEachDelayMode();
    void longGapBecomesOneMaximalDelay();
    void firstEventAtTickZeroStillTimesTheNext();
    void keyRepeatRecordsOnePress();
    void overlappingKeys();
    void pressLimitAndAutomaticStop();
    void heldKeysNeverGoNegative();
    void modifiersAndUnknownKeys();
    void mouseButtons();
    void overflowIsRefusedAndStops();
    void insertRecordingPlacesEvents_data();
    void insertRecordingPlacesEvents();
    void insertRecordingNeedsARowAndRoom();

private:
    void tap(int vk, quint32 holdMs);
    std::unique_ptr<MacroEventLines> m_lines;
    std::unique_ptr<MacroRecorder> m_recorder;
    ManualClock m_clock;
    int m_stores = 0;
};

void MacroRecorderTest::init()
{
    m_clock.now = 5000;
    m_stores = 0;
    m_lines = std::make_unique<MacroEventLines>();
    m_recorder = std::make_unique<MacroRecorder>(*m_lines, m_clock.function());
    m_recorder->StoreMacro = [this] { ++m_stores; };
}

void MacroRecorderTest::tap(int vk, quint32 holdMs)
{
    m_recorder->keyboardHook().keyDown(vk);
    m_clock.now += holdMs;
    m_recorder->keyboardHook().keyUp(vk);
}

void MacroRecorderTest::keyHookStates()
{
    TKeyboardHook hook;
    QList<TKeyboardHookState> states;
    QList<TKeyCombination> combinations;
    hook.OnReceive = [&](int, TKeyboardHookState state, int) { states.append(state); };
    hook.OnKeyCombination = [&](const TKeyCombination &keys, const TKeyboardHookShiftState &shift) {
        combinations.append(keys + shift);
    };
    hook.keyDown(kVkA); // not enabled: counted but not delivered
    hook.keyUp(kVkA);
    QVERIFY(states.isEmpty());

    hook.Enabled = true;
    hook.keyDown(kVkA);
    hook.keyDown(kVkA);
    hook.keyDown(kVkA);
    hook.keyDown(kVkB);
    hook.keyUp(kVkB);
    hook.keyDown(kVkA); // after any key-up, the next down is kh_On again
    hook.keyUp(kVkA);
    QCOMPARE(states, (QList<TKeyboardHookState>{kh_On, kh_Repeat, kh_Repeat, kh_Repeat, kh_Off,
                                                kh_On, kh_Off}));
    QCOMPARE(combinations.size(), 1);
    QCOMPARE(combinations[0], (TKeyCombination{kh_A, kh_B}));

    combinations.clear();
    hook.keyDown(kVkCtrl);
    hook.keyDown(kVkA);
    hook.keyUp(kVkA);
    hook.keyDown(kVkA); // pressed again: held again
    hook.keyUp(kVkCtrl);
    QVERIFY(combinations.isEmpty());
    hook.keyUp(kVkA);
    QCOMPARE(combinations.size(), 1);
    QCOMPARE(combinations[0], (TKeyCombination{kh_A, kh_Control}));
}

void MacroRecorderTest::recordsAPressInEachDelayMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("stream");

    QTest::newRow("recorded") << int(MacroDelayMode::RecordedDelay)
                              << QStringList{"10", "1 A CODE:8204", "0 120", "2 A CODE:0204"}
                              << bytesFromHex("82 04 FE 00 78 02 04 00");
    QTest::newRow("fixed 50") << int(MacroDelayMode::FixedDelay)
                              << QStringList{"0150", "1 A CODE:8204", "0 50", "2 A CODE:0204"}
                              << bytesFromHex("82 04 FE 00 32 02 04 00");
    QTest::newRow("none") << int(MacroDelayMode::NoDelay)
                          << QStringList{"00", "1 A CODE:8204", "2 A CODE:0204"}
                          << bytesFromHex("82 04 02 04 00");
}

void MacroRecorderTest::recordsAPressInEachDelayMode()
{
    QFETCH(int, mode);
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, stream);

    ImageBuffers image = defaultMacroImage();
    m_recorder->StoreMacro = [&] { QVERIFY(MacroListToDataBuf(image, 2, m_lines->lines())); };
    m_recorder->normalDelay().mode = MacroDelayMode(mode);
    m_recorder->startRecording();
    tap(kVkA, 120);
    m_recorder->stopRecording();

    QCOMPARE(m_lines->lines(), lines);
    QCOMPARE(m_lines->selectedRow(), m_lines->rowCount() - 1);
    QCOMPARE(image.MacroBlocks.mid(2 * kMacroBlockSize, stream.size()), stream);
    QCOMPARE(image.MacroNameTable.mid(2 * 32, 2), QByteArray("\0", 1) + char(stream.size()));
    QCOMPARE(m_recorder->state().PressCount, 1);
    QCOMPARE(m_recorder->state().ReleaseCount, 1);
}

void MacroRecorderTest::longGapBecomesOneMaximalDelay()
{
    m_recorder->startRecording();
    tap(kVkA, 70000);
    m_clock.now += 65535 + 10; // exactly at the cap plus a bit: still one line
    m_recorder->mouseButtonEvent(MacroMouseButton::Right, true);
    QCOMPARE(m_lines->lines(), (QStringList{"10", "1 A CODE:8204", "0 65535", "2 A CODE:0204",
                                            "0 65535", "1 RightKey CODE:00A2"}));
}

void MacroRecorderTest::firstEventAtTickZeroStillTimesTheNext()
{
    m_clock.now = 0;
    m_recorder->startRecording();
    tap(kVkA, 30);
    QCOMPARE(m_lines->rowLine(1), QStringLiteral("0 30"));
    // Across the tick's wrap the difference stays right.
    m_clock.now = 0xFFFFFFF0u;
    m_recorder->stopRecording();
    m_recorder->startRecording();
    tap(kVkA, 0x20);
    QCOMPARE(m_lines->rowLine(1), QStringLiteral("0 32"));
}

void MacroRecorderTest::keyRepeatRecordsOnePress()
{
    m_recorder->normalDelay().mode = MacroDelayMode::NoDelay;
    m_recorder->startRecording();
    TKeyboardHook &hook = m_recorder->keyboardHook();
    for (int i = 0; i < 5; ++i)
        hook.keyDown(kVkA);
    hook.keyUp(kVkA);
    QCOMPARE(m_lines->lines(), (QStringList{"00", "1 A CODE:8204", "2 A CODE:0204"}));
}

void MacroRecorderTest::overlappingKeys()
{
    m_recorder->normalDelay().mode = MacroDelayMode::NoDelay;
    m_recorder->startRecording();
    TKeyboardHook &hook = m_recorder->keyboardHook();
    hook.keyDown(kVkB);
    hook.keyDown(kVkB);
    hook.keyDown(kVkA); // A while B is held
    hook.keyDown(kVkA);
    hook.keyUp(kVkA);
    hook.keyUp(kVkB);
    QCOMPARE(m_lines->lines(), (QStringList{"00", "1 B CODE:8205", "1 A CODE:8204", "2 A CODE:0204",
                                            "2 B CODE:0205"}));
}

void MacroRecorderTest::pressLimitAndAutomaticStop()
{
    m_recorder->normalDelay().mode = MacroDelayMode::NoDelay;
    m_recorder->startRecording();
    TKeyboardHook &hook = m_recorder->keyboardHook();
    // 100 keys held down together (virtual keys 0x30.., all distinct and named).
    // 101 named keys with distinct codes; the left/right modifier codes are
    // left out because they are recorded as the plain modifiers.
    QList<int> keys;
    for (int vk = 0x30; keys.size() < 101; ++vk) {
        if (VirtualKeyToKeyIndex(vk) > kh_255 && (vk < 0xA0 || vk > 0xA5))
            keys.append(vk);
    }
    const int refused = keys.takeLast();
    for (int vk : keys)
        hook.keyDown(vk);
    QCOMPARE(m_recorder->state().PressCount, 100);
    QVERIFY(!m_recorder->state().PressLimitHit);

    hook.keyDown(refused);
    QVERIFY(m_recorder->state().PressLimitHit);
    hook.keyUp(refused); // the refused key's release is not recorded
    QCOMPARE(m_lines->rowCount(), 100);

    for (int i = 0; i < 99; ++i)
        hook.keyUp(keys[i]);
    QCOMPARE(m_recorder->state().ReleaseCount, 99);
    QVERIFY(m_recorder->isRecording());
    QVERIFY(!m_recorder->isRowAtKeyLimit(m_lines->rowCount() - 1));
    hook.keyUp(keys[99]);
    QVERIFY(!m_recorder->isRecording()); // the 100th release stops and stores
    QCOMPARE(m_stores, 1);
    QCOMPARE(m_lines->rowCount(), 200);
    QVERIFY(m_recorder->isRowAtKeyLimit(199));
    QVERIFY(!m_recorder->isRowAtKeyLimit(198));
    QCOMPARE(m_recorder->state().HeldKeys, 0);
    QVERIFY(encodeMacroLines(m_lines->lines()));

    // Events after the stop are not taken.
    tap(kVkA, 10);
    QCOMPARE(m_lines->rowCount(), 200);
}

void MacroRecorderTest::heldKeysNeverGoNegative()
{
    // A key held when the recording starts comes up during it; afterwards the
    // same key pressed twice must record twice.
    m_recorder->normalDelay().mode = MacroDelayMode::NoDelay;
    m_recorder->keyboardHook().keyDown(kVkB);
    m_recorder->startRecording();
    TKeyboardHook &hook = m_recorder->keyboardHook();
    hook.keyUp(kVkB);
    tap(kVkA, 1);
    tap(kVkA, 1);
    QCOMPARE(m_lines->lines(), (QStringList{"00", "2 B CODE:0205", "1 A CODE:8204", "2 A CODE:0204",
                                            "1 A CODE:8204", "2 A CODE:0204"}));
    QCOMPARE(m_recorder->state().HeldKeys, 0);
}

void MacroRecorderTest::modifiersAndUnknownKeys()
{
    m_recorder->normalDelay().mode = MacroDelayMode::NoDelay;
    m_recorder->startRecording();
    tap(kVkRightCtrl, 1);
    tap(kVkShift, 1);
    tap(0x5C, 1); // right Windows
    tap(0xE5, 1); // not in the tables: "None", no device code
    tap(0xFF, 1); // the "255" key is ignored altogether
    QCOMPARE(m_lines->lines(),
             (QStringList{"00", "1 Ctrl CODE:8101", "2 Ctrl CODE:0101", "1 Shift CODE:8102",
                          "2 Shift CODE:0102", "1 Right Windows CODE:8180",
                          "2 Right Windows CODE:0180", "1 None CODE:8200", "2 None CODE:0200"}));
}

void MacroRecorderTest::mouseButtons()
{
    m_recorder->normalDelay().mode = MacroDelayMode::FixedDelay;
    m_recorder->normalDelay().setDelay(99999);
    QCOMPARE(m_recorder->normalDelay().delay, kMaxTypedDelay);
    m_recorder->normalDelay().setDelay(0);
    QCOMPARE(m_recorder->normalDelay().delay, kMinTypedDelay);
    m_recorder->normalDelay().setDelay(20);

    m_recorder->mouseButtonEvent(MacroMouseButton::Right, true); // not recording: dropped
    m_recorder->startRecording();
    m_recorder->setOverRecordButton(true);
    m_recorder->mouseButtonEvent(MacroMouseButton::Left, true); // the click on Record/Stop
    m_recorder->mouseButtonEvent(MacroMouseButton::Right, true);
    m_recorder->setOverRecordButton(false);
    m_recorder->mouseButtonEvent(MacroMouseButton::Backward, false);
    QCOMPARE(m_lines->lines(),
             (QStringList{"0120", "1 RightKey CODE:00A2", "0 20", "2 Backward CODE:0030"}));
    QCOMPARE(m_recorder->state().PressCount, 0);

    // Record then Stop with nothing in between stores the terminator alone.
    m_recorder->stopRecording();
    m_recorder->startRecording();
    m_recorder->stopRecording();
    QVERIFY(m_lines->isEmpty());
    QCOMPARE(*encodeMacroLines(m_lines->lines()), bytesFromHex("00"));
}

void MacroRecorderTest::overflowIsRefusedAndStops()
{
    QSignalSpy full(m_recorder.get(), &MacroRecorder::macroFull);
    m_recorder->normalDelay().mode = MacroDelayMode::NoDelay;
    m_recorder->startRecording();
    for (int i = 0; i < 1022; ++i)
        m_recorder->mouseButtonEvent(MacroMouseButton::Middle, i % 2 == 0);
    QCOMPARE(full.count(), 0);
    // One byte left: a two-byte key press does not fit.
    m_recorder->keyboardHook().keyDown(kVkA);
    QCOMPARE(full.count(), 1);
    QVERIFY(!m_recorder->isRecording());
    QVERIFY(m_recorder->state().MacroFull);
    QCOMPARE(m_stores, 1);
    QCOMPARE(m_recorder->state().PressCount, 0);
    const std::optional<QByteArray> stream = encodeMacroLines(m_lines->lines());
    QVERIFY(stream);
    QCOMPARE(stream->size(), 1023);
    m_recorder->keyboardHook().keyUp(kVkA);
}

void MacroRecorderTest::insertRecordingPlacesEvents_data()
{
    QTest::addColumn<int>("placement");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("selected");

    QTest::newRow("front") << int(MacroInsertPlacement::Front)
                           << QStringList{"00",   "1 LeftKey CODE:00A1", "1 A CODE:8204",
                                          "0 40", "2 A CODE:0204",       "2 LeftKey CODE:0021"}
                           << 4;
    QTest::newRow("back")
        << int(MacroInsertPlacement::Back)
        << QStringList{"00",   "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021", "1 A CODE:8204",
                       "0 40", "2 A CODE:0204"}
        << 4;
}

void MacroRecorderTest::insertRecordingPlacesEvents()
{
    QFETCH(int, placement);
    QFETCH(QStringList, lines);
    QFETCH(int, selected);

    m_lines->setLines({"00", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"});
    m_lines->setSelectedRow(1);
    QVERIFY(m_recorder->startInsertRecording(MacroInsertPlacement(placement)));
    tap(kVkA, 40);
    m_recorder->stopInsertRecording();
    QCOMPARE(m_lines->lines(), lines);
    QCOMPARE(m_lines->selectedRow(), selected);
    QCOMPARE(m_recorder->state().InsertPressCount, 1);
    QCOMPARE(m_recorder->state().PressCount, 0);
    QCOMPARE(m_stores, 0); // the panel's OK stores, not the recorder
}

void MacroRecorderTest::insertRecordingNeedsARowAndRoom()
{
    m_lines->setLines({"00", "1 LeftKey CODE:00A1"});
    QVERIFY(!m_recorder->startInsertRecording(MacroInsertPlacement::Front));
    m_lines->setSelectedRow(0);
    m_recorder->state().InsertReleaseCount = 100;
    QVERIFY(!m_recorder->startInsertRecording(MacroInsertPlacement::Front));
    m_recorder->state().InsertReleaseCount = 99;
    QVERIFY(m_recorder->startInsertRecording(MacroInsertPlacement::Back));
    tap(kVkA, 5); // the 100th insert release stops the insert recording
    QVERIFY(!m_recorder->isRecording());
    QCOMPARE(m_recorder->state().InsertReleaseCount, 100);
    QCOMPARE(m_stores, 0);
}

QTEST_GUILESS_MAIN(MacroRecorderTest)
#include "test_macro_recorder.moc"
