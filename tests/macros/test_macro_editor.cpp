#include "macro_test_support.h"

#include "macros/macro_area.h"
#include "macros/macro_editor.h"
#include "macros/macro_names.h"

#include <QSignalSpy>
#include <QtTest>

// The macro page's operations on a default image with hand-stored macros.
class MacroEditorTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void selectingDecodesTheStoredMacro();
    void renamingNamesTheMacroSelectedNow();
    void clearingKeepsTheName();
    void deletePairsPressesAndReleases_data();
    void deletePairsPressesAndReleases();
    void insertsDelays_data();
    void insertsDelays();
    void insertDelayNeedsARowAndRoom();
    void cancelRestoresTheStoredMacro();
    void confirmStoresAnInsertRecording();
    void recordsIntoTheSelectedMacroOnly();
    void closingDropsARunningRecordingAndTheSelection();

private:
    void openMacro(int index, const QStringList &lines);
    QByteArray storedStream(int index) const;

    ImageBuffers m_image;
    ManualClock m_clock;
    std::unique_ptr<MacroEditor> m_editor;
};

void MacroEditorTest::init()
{
    m_image = defaultMacroImage();
    m_clock.now = 1000;
    m_editor = std::make_unique<MacroEditor>(m_image, m_clock.function());
}

void MacroEditorTest::openMacro(int index, const QStringList &lines)
{
    QVERIFY(MacroListToDataBuf(m_image, index, lines));
    QVERIFY(m_editor->selectMacro(index));
}

QByteArray MacroEditorTest::storedStream(int index) const
{
    const int length = macroStreamLength(macroNameEntry(m_image.MacroNameTable, index));
    return m_image.MacroBlocks.mid(index * kMacroBlockSize, length);
}

void MacroEditorTest::selectingDecodesTheStoredMacro()
{
    MacroEventLines &lines = m_editor->eventLines();
    QCOMPARE(m_editor->macroNames()[7], QStringLiteral("macro7"));

    // An empty macro shows nothing and keeps the delay mode.
    m_editor->recorder().normalDelay().mode = MacroDelayMode::NoDelay;
    QVERIFY(m_editor->selectMacro(4));
    QVERIFY(lines.isEmpty());
    QCOMPARE(m_editor->recorder().normalDelay().mode, MacroDelayMode::NoDelay);

    storeStream(m_image, 6, bytesFromHex("FE 00 28 A1 FE 00 28 21 FE 00 28 A2 FE 00 28 22 00"));
    m_editor->recorder().state().PressCount = 55;
    QVERIFY(m_editor->selectMacro(6));
    QCOMPARE(lines.lineCount(), 9);
    QCOMPARE(lines.lines().first(), QStringLiteral("0140"));
    QCOMPARE(lines.selectedRow(), 7);
    QCOMPARE(m_editor->recorder().normalDelay().mode, MacroDelayMode::FixedDelay);
    QCOMPARE(m_editor->recorder().normalDelay().delay, 40);
    QCOMPARE(m_editor->recorder().state().PressCount, 0);
    QCOMPARE(lines.wrScript(), QStringLiteral("FE0028A1FE002821FE0028A2FE00282200"));

    // A length beyond the block is not decoded.
    m_image.MacroNameTable[6 * 32] = char(0x04);
    m_image.MacroNameTable[6 * 32 + 1] = char(0x01);
    QVERIFY(m_editor->selectMacro(6));
    QVERIFY(lines.isEmpty());
    QVERIFY(!m_editor->selectMacro(32));
    QCOMPARE(m_editor->selectedMacro(), 6);
}

void MacroEditorTest::renamingNamesTheMacroSelectedNow()
{
    QSignalSpy changed(m_editor.get(), &MacroEditor::namesChanged);
    QVERIFY(!m_editor->ApplyMacroName(QStringLiteral("nobody selected")));
    m_editor->selectMacro(1);
    m_editor->selectMacro(2); // the dialog was opened on 1, confirmed after picking 2
    QVERIFY(m_editor->ApplyMacroName(QString::fromUtf8("Прыжок и выстрел!")));
    QVERIFY(!m_editor->ApplyMacroName(QString()));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_editor->macroNames()[1], QStringLiteral("macro1"));
    QCOMPARE(m_editor->macroNames()[2], QString::fromUtf8("Прыжок и выстр"));

    // The table learns the name only when the configuration is written.
    QCOMPARE(decodeMacroName(macroNameEntry(m_image.MacroNameTable, 2)), QStringLiteral("macro2"));
    m_editor->UIToMacroName();
    QCOMPARE(decodeMacroName(macroNameEntry(m_image.MacroNameTable, 2)),
             QString::fromUtf8("Прыжок и выстр"));
}

void MacroEditorTest::clearingKeepsTheName()
{
    QVERIFY(!m_editor->clearSelectedMacro());
    openMacro(9, {"10", "1 A CODE:8204", "2 A CODE:0204"});
    m_editor->CountMacroKeys();
    QVERIFY(m_editor->clearSelectedMacro());
    QVERIFY(m_editor->eventLines().isEmpty());
    QCOMPARE(m_image.MacroBlocks.mid(9 * kMacroBlockSize, kMacroBlockSize),
             QByteArray(kMacroBlockSize, char(0xFF)));
    QCOMPARE(macroStreamLength(macroNameEntry(m_image.MacroNameTable, 9)), 0);
    QCOMPARE(decodeMacroName(macroNameEntry(m_image.MacroNameTable, 9)), QStringLiteral("macro9"));
    QCOMPARE(m_editor->recorder().state().PressCount, 1); // the counts stay
    m_editor->selectMacro(9);
    QVERIFY(m_editor->eventLines().isEmpty());
}

void MacroEditorTest::deletePairsPressesAndReleases_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("result");

    const int done = int(MacroEditor::EditResult::Done);
    const int lonely = int(MacroEditor::EditResult::NoPartner);
    QTest::newRow("press A of press, delay, release")
        << QStringList{"1 A CODE:8204", "0 50", "2 A CODE:0204"} << 0 << QStringList{"0 50"} << 0
        << done;
    QTest::newRow("release finds the nearest earlier line")
        << QStringList{"1 A CODE:8204", "1 B CODE:8205", "1 A CODE:8204", "2 A CODE:0204"} << 3
        << QStringList{"1 A CODE:8204", "1 B CODE:8205"} << 1 << done;
    QTest::newRow("press pairs with a later second press")
        << QStringList{"1 A CODE:8204", "0 10", "1 A CODE:8204", "2 A CODE:0204"} << 0
        << QStringList{"0 10", "2 A CODE:0204"} << 0 << done;
    QTest::newRow("empty name pairs with the next delay")
        << QStringList{"1  CODE:8200", "0 10", "2  CODE:0200"} << 0 << QStringList{"2  CODE:0200"}
        << 0 << done;
    QTest::newRow("empty-name release pairs with an earlier delay")
        << QStringList{"0 5", "1 A CODE:8204", "2  CODE:0200"} << 2 << QStringList{"1 A CODE:8204"}
        << 0 << done;
    QTest::newRow("release in row 1")
        << QStringList{"1 LeftKey CODE:00A1", "2 LeftKey CODE:0021", "0 9"} << 1
        << QStringList{"0 9"} << 0 << done;
    QTest::newRow("press without partner") << QStringList{"1 A CODE:8204", "0 5"} << 0
                                           << QStringList{"1 A CODE:8204", "0 5"} << 0 << lonely;
    QTest::newRow("release never pairs with the delay-mode line")
        << QStringList{"2  CODE:0200"} << 0 << QStringList{"2  CODE:0200"} << 0 << lonely;
    QTest::newRow("the only delay") << QStringList{"0 50"} << 0 << QStringList{} << -1 << done;
    QTest::newRow("a delay further down")
        << QStringList{"1 A CODE:8204", "0 5", "0 6", "2 A CODE:0204"} << 2
        << QStringList{"1 A CODE:8204", "0 5", "2 A CODE:0204"} << 1 << done;
}

void MacroEditorTest::deletePairsPressesAndReleases()
{
    QFETCH(QStringList, events);
    QFETCH(int, row);
    QFETCH(QStringList, remaining);
    QFETCH(int, selected);
    QFETCH(int, result);

    openMacro(3, QStringList{"10"} + events);
    m_editor->eventLines().setSelectedRow(row);
    QCOMPARE(int(m_editor->deleteSelected()), result);
    const QStringList lines = m_editor->eventLines().lines();
    QCOMPARE(lines.mid(1), remaining);
    QCOMPARE(m_editor->eventLines().selectedRow(), selected);
    QCOMPARE(storedStream(3), *encodeMacroLines(lines));
    if (result == int(MacroEditor::EditResult::Done)) {
        QCOMPARE(m_editor->recorder().state().PressCount,
                 int(std::count_if(remaining.cbegin(), remaining.cend(),
                                   [](const QString &l) { return l.startsWith(u'1'); })));
    }
}

void MacroEditorTest::insertsDelays_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("selected");

    QTest::newRow("front of row 0") << int(MacroEditor::InsertDelayFront) << 0
                                    << QStringList{"0 300", "1 A CODE:8204", "2 A CODE:0204"} << 0;
    QTest::newRow("back of row 0") << int(MacroEditor::InsertDelayBack) << 0
                                   << QStringList{"1 A CODE:8204", "0 300", "2 A CODE:0204"} << 1;
    QTest::newRow("back of the last row")
        << int(MacroEditor::InsertDelayBack) << 1
        << QStringList{"1 A CODE:8204", "2 A CODE:0204", "0 300"} << 2;
}

void MacroEditorTest::insertsDelays()
{
    QFETCH(int, choice);
    QFETCH(int, row);
    QFETCH(QStringList, events);
    QFETCH(int, selected);

    openMacro(0, {"00", "1 A CODE:8204", "2 A CODE:0204"});
    m_editor->eventLines().setSelectedRow(row);
    QVERIFY(m_editor->openInsertPanel());
    QCOMPARE(m_editor->pageState(), MacroEditor::PageState::InsertPanel);
    QCOMPARE(m_editor->recorder().state().InsertPressCount, 1);
    QVERIFY(!m_editor->selectMacro(1)); // the macro list is disabled meanwhile
    QVERIFY(m_editor->chooseInsert(choice));
    m_editor->recorder().insertDelay().setDelay(300);
    QCOMPARE(m_editor->confirmInsert(), MacroEditor::EditResult::Done);

    QCOMPARE(m_editor->eventLines().lines().mid(1), events);
    QCOMPARE(m_editor->eventLines().selectedRow(), selected);
    QCOMPARE(storedStream(0), *encodeMacroLines(m_editor->eventLines().lines()));
    QVERIFY(!m_editor->insertPanelOpen());
    QCOMPARE(m_editor->recorder().state().InsertPressCount, 0);
    QCOMPARE(m_editor->recorder().state().PressCount, 1);
}

void MacroEditorTest::insertDelayNeedsARowAndRoom()
{
    QStringList full{"00"};
    for (int i = 0; i < 1022; ++i)
        full.append(mouseButtonLine(MacroMouseButton::Left, i % 2 == 0));
    openMacro(1, full);
    m_editor->eventLines().setSelectedRow(-1);
    m_editor->openInsertPanel();
    QCOMPARE(m_editor->confirmInsert(), MacroEditor::EditResult::Ignored);
    QVERIFY(m_editor->insertPanelOpen());

    QSignalSpy fullSpy(m_editor.get(), &MacroEditor::macroFull);
    m_editor->eventLines().setSelectedRow(5);
    const QByteArray before = storedStream(1);
    QCOMPARE(m_editor->confirmInsert(), MacroEditor::EditResult::Full);
    QCOMPARE(fullSpy.count(), 1);
    QVERIFY(m_editor->insertPanelOpen());
    QCOMPARE(m_editor->eventLines().lines(), full);
    QCOMPARE(storedStream(1), before);
    QCOMPARE(MacroEditor::macroFullText({}),
             QStringLiteral("The macro is full: it cannot hold more events."));
}

void MacroEditorTest::cancelRestoresTheStoredMacro()
{
    const QStringList stored{"10",   "1 A CODE:8204", "0 20",         "2 A CODE:0204",
                             "0 20", "1 B CODE:8205", "2 B CODE:0205"};
    openMacro(12, stored);
    MacroEventLines &lines = m_editor->eventLines();
    lines.setTopRow(2);
    lines.setSelectedRow(3);
    m_editor->openInsertPanel();
    QVERIFY(m_editor->chooseInsert(MacroEditor::InsertKeyBack));
    QCOMPARE(m_editor->recorder().insertDelay().mode, MacroDelayMode::RecordedDelay);
    QVERIFY(m_editor->toggleInsertRecording());
    QCOMPARE(m_editor->pageState(), MacroEditor::PageState::InsertRecording);
    QVERIFY(!m_editor->cancelInsert()); // disabled while recording
    m_editor->recorder().keyboardHook().keyDown(kVkShift);
    m_clock.now += 15;
    m_editor->recorder().keyboardHook().keyUp(kVkShift);
    QVERIFY(m_editor->toggleInsertRecording());
    QCOMPARE(lines.lineCount(), stored.size() + 3);

    lines.setTopRow(0);
    lines.setSelectedRow(0);
    QVERIFY(m_editor->cancelInsert());
    QCOMPARE(lines.lines(), stored);
    QCOMPARE(lines.topRow(), 2);
    QCOMPARE(lines.selectedRow(), 3);
    QCOMPARE(m_editor->pageState(), MacroEditor::PageState::Browsing);
}

void MacroEditorTest::confirmStoresAnInsertRecording()
{
    openMacro(20, {"00", "1 RightKey CODE:00A2", "2 RightKey CODE:0022"});
    m_editor->eventLines().setSelectedRow(0);
    m_editor->openInsertPanel();
    m_editor->chooseInsert(MacroEditor::InsertKeyFront);
    QVERIFY(m_editor->toggleInsertRecording());
    m_editor->recorder().keyboardHook().keyDown(kVkA);
    m_clock.now += 8;
    m_editor->recorder().keyboardHook().keyUp(kVkA);
    m_editor->toggleInsertRecording();
    QCOMPARE(m_editor->confirmInsert(), MacroEditor::EditResult::Done);
    QCOMPARE(storedStream(20), bytesFromHex("82 04 FE 00 08 02 04 A2 22 00"));
    QCOMPARE(m_editor->recorder().state().PressCount, 2);
    QCOMPARE(m_editor->recorder().state().ReleaseCount, 2);
}

void MacroEditorTest::recordsIntoTheSelectedMacroOnly()
{
    QVERIFY(!m_editor->toggleRecording()); // no macro selected
    m_editor->selectMacro(30);
    m_editor->recorder().normalDelay().mode = MacroDelayMode::NoDelay;
    QVERIFY(m_editor->toggleRecording());
    QCOMPARE(m_editor->pageState(), MacroEditor::PageState::Recording);
    QVERIFY(!m_editor->openInsertPanel());
    QVERIFY(!m_editor->selectMacro(2));
    m_editor->recorder().mouseButtonEvent(MacroMouseButton::Forward, true);
    m_editor->recorder().mouseButtonEvent(MacroMouseButton::Forward, false);
    QVERIFY(m_editor->toggleRecording());
    QCOMPARE(storedStream(30), bytesFromHex("A8 28 00"));
    QCOMPARE(storedStream(2), QByteArray());
    QCOMPARE(m_editor->eventLines().wrScript(), QStringLiteral("A82800"));
}

void MacroEditorTest::closingDropsARunningRecordingAndTheSelection()
{
    openMacro(4, {"00", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"});
    QVERIFY(m_editor->toggleRecording());
    m_editor->recorder().mouseButtonEvent(MacroMouseButton::Right, true);
    QSignalSpy selected(m_editor.get(), &MacroEditor::selectedMacroChanged);
    m_editor->closeMacro();
    QCOMPARE(m_editor->pageState(), MacroEditor::PageState::Browsing);
    QCOMPARE(m_editor->selectedMacro(), -1);
    QCOMPARE(selected.count(), 1);
    QVERIFY(m_editor->eventLines().isEmpty());
    // The half-made recording is not stored over the macro.
    QCOMPARE(storedStream(4), bytesFromHex("A1 21 00"));

    m_editor->selectMacro(4);
    QVERIFY(m_editor->openInsertPanel());
    m_editor->closeMacro();
    QVERIFY(!m_editor->insertPanelOpen());
    QVERIFY(!m_editor->toggleRecording()); // nothing selected any more
}

QTEST_GUILESS_MAIN(MacroEditorTest)
#include "test_macro_editor.moc"
