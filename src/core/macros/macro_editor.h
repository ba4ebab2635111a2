#pragma once

#include "records/image_buffers.h"
#include "records/text_lookup.h"
#include "macros/macro_event_lines.h"
#include "macros/macro_files.h"
#include "macros/macro_format.h"
#include "macros/macro_recorder.h"

#include <QObject>
#include <QStringList>

// The macro page without its widgets: the 32 names, the selected macro, its
// event lines, the recorder, and the operations of the page's buttons. Every
// operation that changes events stores the macro into the image at once;
// names reach the image only through UIToMacroName, when the configuration
// is written to the mouse.
//
// Operations refuse (do nothing) where the page would have the control
// disabled, so a caller cannot, say, pick another macro in mid-recording.
class MacroEditor : public QObject
{
    Q_OBJECT
public:
    enum class PageState
    {
        Browsing,
        Recording,
        InsertPanel,
        InsertRecording
    };

    // CB_Insert's items.
    enum InsertChoice
    {
        InsertDelayFront = 0,
        InsertDelayBack = 1,
        InsertKeyFront = 2,
        InsertKeyBack = 3
    };

    enum class EditResult
    {
        Done,
        Ignored,   // not possible now: nothing selected, wrong state
        NoPartner, // a press or release without its partner is not deleted
        Full       // the macro would no longer fit into its block; nothing changed
    };

    explicit MacroEditor(ImageBuffers &image, MillisecondClock clock = steadyMillisecondClock(),
                         QObject *parent = nullptr);

    MacroEventLines &eventLines() { return m_lines; }
    const MacroEventLines &eventLines() const { return m_lines; }
    MacroRecorder &recorder() { return m_recorder; }
    const MacroRecorder &recorder() const { return m_recorder; }
    PageState pageState() const;

    // --- names --------------------------------------------------------------
    const QStringList &macroNames() const { return m_names; }
    void RefreshMacroName(); // the names from the table
    void UIToMacroName();    // the names into the table
    bool
    ApplyMacroName(const QString &name); // renames the macro selected now; empty changes nothing

    // --- selection and events ----------------------------------------------
    int selectedMacro() const { return m_selected; }
    bool selectMacro(int index);
    bool clearSelectedMacro(); // after the user agreed: events gone, name kept
    // The image was replaced or the mouse went away: a running recording
    // stops, the insert panel closes and no macro stays open or selected.
    void closeMacro();
    EditResult deleteSelected();
    void CountMacroKeys();
    // The stored macro into the event lines (nothing without a selection).
    void DataBufToMacroList();
    // The event lines into the selected macro's block; false when they do not fit.
    bool MacroListToDataBuf();

    // --- recording ----------------------------------------------------------
    bool toggleRecording();       // starts or stops a normal recording
    bool toggleInsertRecording(); // starts or stops an insert recording

    // --- insert panel -------------------------------------------------------
    bool insertPanelOpen() const { return m_insertPanelOpen; }
    int insertChoice() const { return m_insertChoice; }
    int savedTopRow() const { return m_savedTopRow; }
    int savedRow() const { return m_savedRow; }
    bool openInsertPanel();
    bool chooseInsert(int choice);
    EditResult confirmInsert();
    bool cancelInsert();
    void CloseInsertPanel();

    // --- files --------------------------------------------------------------
    // Nothing happens (ok = false, no error key) for the single-macro forms
    // without a selected macro.
    MacroFileResult exportOne(const QString &chosenName);
    MacroFileResult exportAll(const QString &chosenName);
    MacroFileResult importOne(const QString &fileName);
    MacroFileResult importAll(const QString &fileName);

    // The text for a macro that cannot hold more events.
    static QString macroFullText(const TextLookup &text);

signals:
    void namesChanged();
    void selectedMacroChanged(int index);
    void stateChanged();
    void macroFull();

private:
    // After a successful import: the names and the open macro show the new content.
    MacroFileResult showImported(const MacroFileResult &result);
    void showDecoded(const DecodedMacro &decoded);
    void storeOpenMacro();
    // Stores `lines` as the open macro when they fit; false (and nothing
    // changes) when they do not.
    bool commitLines(const QStringList &lines);
    bool browsing() const { return pageState() == PageState::Browsing; }
    static int countKind(const QStringList &lines, QChar kind);

    ImageBuffers &m_image;
    MacroEventLines m_lines;
    MacroRecorder m_recorder;
    QStringList m_names;
    int m_selected = -1;
    bool m_insertPanelOpen = false;
    int m_insertChoice = InsertDelayFront;
    int m_savedTopRow = 0;
    int m_savedRow = -1;
};
