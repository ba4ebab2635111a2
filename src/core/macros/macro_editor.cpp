#include "macros/macro_editor.h"

#include "macros/macro_area.h"
#include "macros/macro_names.h"

#include <algorithm>

MacroEditor::MacroEditor(ImageBuffers &image, MillisecondClock clock, QObject *parent)
    : QObject(parent), m_image(image), m_recorder(m_lines, std::move(clock))
{
    m_names = ::RefreshMacroName(m_image.MacroNameTable);
    m_recorder.StoreMacro = [this] { storeOpenMacro(); };
    connect(&m_recorder, &MacroRecorder::recordingChanged, this, &MacroEditor::stateChanged);
    connect(&m_recorder, &MacroRecorder::macroFull, this, &MacroEditor::macroFull);
}

MacroEditor::PageState MacroEditor::pageState() const
{
    if (m_recorder.isInsertRecording())
        return PageState::InsertRecording;
    if (m_recorder.isRecording())
        return PageState::Recording;
    return m_insertPanelOpen ? PageState::InsertPanel : PageState::Browsing;
}

// --- names -------------------------------------------------------------------

void MacroEditor::RefreshMacroName()
{
    m_names = ::RefreshMacroName(m_image.MacroNameTable);
    emit namesChanged();
}

void MacroEditor::UIToMacroName()
{
    ::UIToMacroName(m_image.MacroNameTable, m_names);
}

bool MacroEditor::ApplyMacroName(const QString &name)
{
    if (m_selected < 0 || name.isEmpty())
        return false;
    m_names[m_selected] = fitMacroName(name);
    emit namesChanged();
    return true;
}

// --- selection and events ------------------------------------------------------

bool MacroEditor::selectMacro(int index)
{
    if (!browsing() || index < 0 || index >= kMacroCount)
        return false;
    m_selected = index;
    MacroRecordingState &state = m_recorder.state();
    state.PressCount = 0;
    state.ReleaseCount = 0;
    m_lines.clear();
    const int length = macroStreamLength(macroNameEntry(m_image.MacroNameTable, index));
    if (length >= 1 && length <= kMacroStreamMax) {
        DataBufToMacroList();
        m_lines.setWrScript(streamToHexScript(
            macroBlock(m_image, index)
                .first(std::min<qsizetype>(length, macroBlock(m_image, index).size()))));
    }
    emit selectedMacroChanged(index);
    return true;
}

void MacroEditor::DataBufToMacroList()
{
    if (m_selected < 0)
        return;
    if (const std::optional<DecodedMacro> decoded = ::DataBufToMacroList(m_image, m_selected))
        showDecoded(*decoded);
}

void MacroEditor::showDecoded(const DecodedMacro &decoded)
{
    m_lines.setLines(decoded.lines);
    m_lines.setSelectedRow(m_lines.rowCount() - 1);
    m_recorder.normalDelay().mode = decoded.mode;
    if (decoded.mode == MacroDelayMode::FixedDelay)
        m_recorder.normalDelay().setDelay(decoded.fixedDelay);
}

bool MacroEditor::MacroListToDataBuf()
{
    if (m_selected < 0)
        return true; // nothing to store into
    QString script;
    if (!::MacroListToDataBuf(m_image, m_selected, m_lines.lines(), &script))
        return false;
    m_lines.setWrScript(script);
    return true;
}

void MacroEditor::storeOpenMacro()
{
    if (!MacroListToDataBuf())
        emit macroFull();
}

bool MacroEditor::commitLines(const QStringList &lines)
{
    if (m_selected >= 0 && !encodeMacroLines(lines)) {
        emit macroFull();
        return false;
    }
    m_lines.setLines(lines);
    MacroListToDataBuf();
    return true;
}

bool MacroEditor::clearSelectedMacro()
{
    if (!browsing() || m_selected < 0)
        return false;
    m_lines.clear();
    clearMacro(m_image, m_selected);
    return true;
}

void MacroEditor::closeMacro()
{
    // Whatever was recorded belongs to the old image; it is dropped, not stored.
    m_selected = -1;
    if (m_recorder.isInsertRecording())
        m_recorder.stopInsertRecording();
    else if (m_recorder.isRecording())
        m_recorder.stopRecording();
    if (m_insertPanelOpen)
        CloseInsertPanel();
    m_lines.clear();
    m_lines.setWrScript(QString());
    emit selectedMacroChanged(-1);
}

MacroEditor::EditResult MacroEditor::deleteSelected()
{
    const int row = m_lines.selectedRow();
    if (!browsing() || row < 0)
        return EditResult::Ignored;

    QStringList lines = m_lines.lines();
    const int line = row + 1;
    const QChar kind = lineKind(lines[line]);
    const QString name = lineKeyName(lines[line]);
    int select = -1;

    // A press pairs with the next line of the same key, a release with the
    // previous one; line 0 is the delay mode and never a partner.
    const auto findPartner = [&](int from, int step) {
        for (int j = from; j >= 1 && j < lines.size(); j += step)
            if (lineKeyName(lines[j]) == name)
                return j;
        return -1;
    };

    if (kind == u'1') {
        const int partner = findPartner(line + 1, 1);
        if (partner < 0)
            return EditResult::NoPartner;
        lines.removeAt(partner);
        lines.removeAt(line);
        select = row - 1;
    } else if (kind == u'2') {
        const int partner = findPartner(line - 1, -1);
        if (partner < 0)
            return EditResult::NoPartner;
        lines.removeAt(line);
        lines.removeAt(partner);
        select = row - 2;
    } else {
        lines.removeAt(line);
        select = row - 1;
    }

    if (!commitLines(lines))
        return EditResult::Full;
    if (select < 0)
        select = m_lines.rowCount() > 0 ? 0 : -1;
    m_lines.setSelectedRow(select);
    CountMacroKeys();
    return EditResult::Done;
}

int MacroEditor::countKind(const QStringList &lines, QChar kind)
{
    return int(std::count_if(lines.cbegin() + std::min<qsizetype>(1, lines.size()), lines.cend(),
                             [kind](const QString &line) { return lineKind(line) == kind; }));
}

void MacroEditor::CountMacroKeys()
{
    MacroRecordingState &state = m_recorder.state();
    state.PressCount = countKind(m_lines.lines(), u'1');
    state.ReleaseCount = countKind(m_lines.lines(), u'2');
}

// --- recording -------------------------------------------------------------------

bool MacroEditor::toggleRecording()
{
    const PageState page = pageState();
    if (page == PageState::Recording) {
        m_recorder.stopRecording();
        return true;
    }
    if (page != PageState::Browsing || m_selected < 0)
        return false;
    m_recorder.startRecording();
    return true;
}

bool MacroEditor::toggleInsertRecording()
{
    const PageState page = pageState();
    if (page == PageState::InsertRecording) {
        m_recorder.stopInsertRecording();
        return true;
    }
    if (page != PageState::InsertPanel ||
        (m_insertChoice != InsertKeyFront && m_insertChoice != InsertKeyBack))
        return false;
    return m_recorder.startInsertRecording(m_insertChoice == InsertKeyFront
                                               ? MacroInsertPlacement::Front
                                               : MacroInsertPlacement::Back);
}

// --- insert panel ----------------------------------------------------------------

bool MacroEditor::openInsertPanel()
{
    if (!browsing())
        return false;
    m_savedTopRow = m_lines.topRow();
    m_savedRow = m_lines.selectedRow();
    m_insertPanelOpen = true;
    chooseInsert(InsertDelayFront);
    MacroRecordingState &state = m_recorder.state();
    state.InsertPressCount = countKind(m_lines.lines(), u'1');
    state.InsertReleaseCount = countKind(m_lines.lines(), u'2');
    emit stateChanged();
    return true;
}

bool MacroEditor::chooseInsert(int choice)
{
    if (pageState() != PageState::InsertPanel || choice < InsertDelayFront ||
        choice > InsertKeyBack)
        return false;
    m_insertChoice = choice;
    if (choice == InsertKeyFront || choice == InsertKeyBack)
        m_recorder.insertDelay().mode = MacroDelayMode::RecordedDelay;
    emit stateChanged();
    return true;
}

MacroEditor::EditResult MacroEditor::confirmInsert()
{
    if (pageState() != PageState::InsertPanel)
        return EditResult::Ignored;

    if (m_insertChoice == InsertKeyFront || m_insertChoice == InsertKeyBack) {
        // The insert recording kept the stream within the block.
        if (!MacroListToDataBuf()) {
            emit macroFull();
            return EditResult::Full;
        }
        CloseInsertPanel();
        CountMacroKeys();
        return EditResult::Done;
    }

    const int row = m_lines.selectedRow();
    if (row < 0)
        return EditResult::Ignored; // the panel stays open
    QStringList lines = m_lines.lines();
    const int at = m_insertChoice == InsertDelayFront ? row + 1 : row + 2;
    lines.insert(at, delayLine(m_recorder.insertDelay().delay));
    if (!commitLines(lines))
        return EditResult::Full; // the panel stays open: the user may cancel
    m_lines.setSelectedRow(at - 1);
    CloseInsertPanel();
    CountMacroKeys();
    return EditResult::Done;
}

bool MacroEditor::cancelInsert()
{
    if (pageState() != PageState::InsertPanel)
        return false;
    CloseInsertPanel();
    m_lines.clear();
    DataBufToMacroList();
    m_lines.setTopRow(m_savedTopRow);
    m_lines.setSelectedRow(m_savedRow);
    return true;
}

void MacroEditor::CloseInsertPanel()
{
    m_insertPanelOpen = false;
    MacroRecordingState &state = m_recorder.state();
    state.InsertPressCount = 0;
    state.InsertReleaseCount = 0;
    emit stateChanged();
}

// --- files -------------------------------------------------------------------------

MacroFileResult MacroEditor::exportOne(const QString &chosenName)
{
    if (!browsing() || m_selected < 0)
        return {};
    return exportOneMacro(m_image, m_selected, chosenName);
}

MacroFileResult MacroEditor::exportAll(const QString &chosenName)
{
    if (!browsing())
        return {};
    return exportAllMacros(m_image, chosenName);
}

MacroFileResult MacroEditor::importOne(const QString &fileName)
{
    if (!browsing() || m_selected < 0)
        return {};
    return showImported(importOneMacro(m_image, m_selected, fileName));
}

MacroFileResult MacroEditor::importAll(const QString &fileName)
{
    if (!browsing())
        return {};
    return showImported(importAllMacros(m_image, fileName));
}

MacroFileResult MacroEditor::showImported(const MacroFileResult &result)
{
    if (result) {
        RefreshMacroName();
        m_lines.clear();
        DataBufToMacroList();
    }
    return result;
}

QString MacroEditor::macroFullText(const TextLookup &text)
{
    const QString fromLanguage = text ? text(QStringLiteral("Str027")) : QString();
    return fromLanguage.isEmpty() ? QStringLiteral("The macro is full: it cannot hold more events.")
                                  : fromLanguage;
}
