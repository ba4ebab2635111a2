// The macro page drawn from the editor's state: which controls are usable
// while browsing, recording or inserting, their captions and colours, the
// delay lights and the two lists.
#include "macros/macro_page.h"

#include "macros/input_capture.h"
#include "macros/macro_editor.h"
#include "ui/skin_label.h"
#include "ui/skin_picture.h"
#include "ui/skinned_content.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

#include <utility>

namespace {

// The grey of controls that cannot be used now.
const QColor kGrey(114, 113, 113);

const char *const kPageCommands[] = {"Btn_New",       "Btn_Clear",  "Btn_ExportOne", "Btn_Export",
                                     "Btn_ImportOne", "Btn_Import", "Btn_Del",       "Btn_Insert"};

struct DelayLights
{
    const char *recorded;
    const char *fixed;
    const char *none;
};
constexpr DelayLights kNormalLights{"LED_RecDelay", "LED_DelayTime", "LED_NoDelay"};
constexpr DelayLights kInsertLights{"LED_InsertRecDelay", "LED_InsertDelayTime",
                                    "LED_InsertNoDelay"};

} // namespace

void MacroPage::setLabelEnabled(const char *name, bool enabled)
{
    if (SkinLabel *target = label(name)) {
        target->setEnabled(enabled);
        target->setTextColour(enabled ? m_skin.storedValues().macroText : kGrey);
    }
}

void MacroPage::setTextGrey(const char *name, bool grey)
{
    if (SkinLabel *target = label(name))
        target->setTextColour(grey ? kGrey : m_skin.storedValues().macroText);
}

void MacroPage::setEditColours(QLineEdit *edit, bool grey)
{
    if (!edit)
        return;
    // The layout gave the field its own colours; grey only replaces the text.
    QPalette palette = edit->palette();
    const QColor text = grey       ? kGrey
                        : m_events ? m_events->palette().color(QPalette::Text)
                                   : palette.color(QPalette::Text);
    palette.setColor(QPalette::Text, text);
    edit->setPalette(palette);
}

void MacroPage::render()
{
    const bool was = std::exchange(m_rendering, true);
    const MacroEditor::PageState state = m_editor.pageState();
    const bool browsing = state == MacroEditor::PageState::Browsing;
    const bool recording = state == MacroEditor::PageState::Recording;
    const bool panel = m_editor.insertPanelOpen();

    if (m_names)
        m_names->setEnabled(browsing);
    if (m_events)
        m_events->setEnabled(!recording);
    for (const char *name : kPageCommands)
        setLabelEnabled(name, browsing);
    setLabelEnabled("Btn_Start", !panel);
    if (SkinLabel *start = label("Btn_Start"))
        start->setText(text(recording ? QStringLiteral("Str401") : QStringLiteral("Str400")));

    renderDelayGroup();
    renderInsertPanel();

    // The page shows the insert group instead of the delay group while the
    // panel is open, also after another page was shown in between.
    m_skin.setInsertPanelOpen(panel);
    QWidget *pagePicture = picture("Img_P4");
    if (pagePicture && pagePicture->isVisibleTo(pagePicture->parentWidget())) {
        element("Gb_Delay")->setVisible(!panel);
        element("Gb_Insert")->setVisible(panel);
        element("Img_InsertBase")->setVisible(panel);
    }
    if (m_scopeLine) {
        m_scopeLine->setText(text(captureScopeTextKey(*m_capture)));
        m_scopeLine->setTextColour(m_skin.storedValues().macroText);
    }
    if (m_events)
        m_events->viewport()->update();
    m_rendering = was;
}

void MacroPage::renderDelayGroup()
{
    const MacroDelaySettings &settings = m_editor.recorder().normalDelay();
    const bool recording = m_editor.pageState() == MacroEditor::PageState::Recording;
    if (QWidget *group = element("Gb_Delay"))
        group->setEnabled(!recording);
    picture(kNormalLights.recorded)->setVisible(settings.mode == MacroDelayMode::RecordedDelay);
    picture(kNormalLights.fixed)->setVisible(settings.mode == MacroDelayMode::FixedDelay);
    picture(kNormalLights.none)->setVisible(settings.mode == MacroDelayMode::NoDelay);
    if (m_delay) {
        const bool editable = settings.mode == MacroDelayMode::FixedDelay && !recording;
        m_delay->setReadOnly(!editable);
        setEditColours(m_delay, !editable);
        if (m_delay->text() != QString::number(settings.delay) && !m_delay->hasFocus())
            m_delay->setText(QString::number(settings.delay));
    }
}

void MacroPage::renderInsertPanel()
{
    const MacroEditor::PageState state = m_editor.pageState();
    const bool recording = state == MacroEditor::PageState::InsertRecording;
    const int choice = m_editor.insertChoice();
    const bool keys = choice == MacroEditor::InsertKeyFront || choice == MacroEditor::InsertKeyBack;
    const MacroDelaySettings &settings = m_editor.recorder().insertDelay();

    if (m_choices) {
        // The choice list sits on the panel's dark card like the other
        // controls, in the page's text colour.
        const QString style =
            QStringLiteral("QComboBox { background: rgb(29, 33, 41); color: %1;"
                           " border: 1px solid rgb(48, 54, 66); padding-left: 4px; }"
                           " QComboBox:disabled { color: rgb(114, 113, 113); }"
                           " QComboBox QAbstractItemView { background: rgb(29, 33, 41);"
                           " color: %1; selection-background-color: rgb(255, 74, 40); }")
                .arg(m_skin.storedValues().macroText.name());
        if (m_choices->styleSheet() != style)
            m_choices->setStyleSheet(style);
        m_choices->setEnabled(!recording);
        if (m_choices->currentIndex() != choice)
            m_choices->setCurrentIndex(choice);
    }
    if (SkinPicture *backdrop = picture("Img_InsertBase"))
        backdrop->setPicture(keys ? QStringLiteral("InsertKeyBase")
                                  : QStringLiteral("InsertDelayBase"));
    if (QWidget *caption = element("lbl_Delay"))
        caption->setVisible(!keys);
    if (SkinLabel *ok = label("Btn_OK"))
        ok->setText(text(keys ? QStringLiteral("Str421") : QStringLiteral("Str420")));

    for (const char *name : {"IB_InsertRecDelay", "IB_InsertDelayTime", "IB_InsertNoDelay"}) {
        element(name)->setVisible(keys);
        setLabelEnabled(name, !recording);
    }
    picture(kInsertLights.recorded)
        ->setVisible(keys && settings.mode == MacroDelayMode::RecordedDelay);
    picture(kInsertLights.fixed)->setVisible(keys && settings.mode == MacroDelayMode::FixedDelay);
    picture(kInsertLights.none)->setVisible(keys && settings.mode == MacroDelayMode::NoDelay);
    for (const char *name : {"Btn_InsertStart", "Img_InsertStart"})
        element(name)->setVisible(keys);
    if (SkinLabel *start = label("Btn_InsertStart"))
        start->setText(text(recording ? QStringLiteral("Str401") : QStringLiteral("Str400")));

    // Typed delays are inserted by OK; recorded keys take their delays from
    // the options, where only a fixed delay reads the field.
    const bool editable = !recording && (!keys || settings.mode == MacroDelayMode::FixedDelay);
    if (m_insertDelay) {
        m_insertDelay->setReadOnly(!editable);
        setEditColours(m_insertDelay, !editable);
        if (m_insertDelay->text() != QString::number(settings.delay) && !m_insertDelay->hasFocus())
            m_insertDelay->setText(QString::number(settings.delay));
    }
    setTextGrey("lbl_s_A", !editable);
    setLabelEnabled("Btn_OK", !recording);
    setLabelEnabled("Btn_Cancel", !recording);
    if (!recording) {
        // The dialog buttons' captions are white on their pictures.
        label("Btn_OK")->setTextColour(Qt::white);
        label("Btn_Cancel")->setTextColour(Qt::white);
    }
}

void MacroPage::renderNames()
{
    if (!m_names)
        return;
    const bool was = std::exchange(m_rendering, true);
    const QStringList &names = m_editor.macroNames();
    while (m_names->count() > names.size())
        delete m_names->takeItem(m_names->count() - 1);
    while (m_names->count() < names.size())
        m_names->addItem(QString());
    for (int row = 0; row < names.size(); ++row)
        m_names->item(row)->setText(names[row]);
    m_names->setCurrentRow(m_editor.selectedMacro());
    if (m_editor.selectedMacro() < 0)
        m_names->clearSelection();
    m_rendering = was;
}

void MacroPage::renderEvents()
{
    if (!m_events)
        return;
    const bool was = std::exchange(m_rendering, true);
    const MacroEventLines &lines = m_editor.eventLines();
    const int rows = lines.rowCount();
    const bool resized = m_events->count() != rows;
    while (m_events->count() > rows)
        delete m_events->takeItem(m_events->count() - 1);
    while (m_events->count() < rows)
        m_events->addItem(QString());
    for (int row = 0; row < rows; ++row)
        m_events->item(row)->setText(lines.rowText(row));
    // The scroll range follows the rows at once, so a scroll position set
    // next is not cut to the old range.
    if (resized)
        m_events->doItemsLayout();
    m_rendering = was;
    renderEventSelection();
}

void MacroPage::renderEventSelection()
{
    if (!m_events)
        return;
    const bool was = std::exchange(m_rendering, true);
    const int row = m_editor.eventLines().selectedRow();
    m_events->setCurrentRow(row);
    if (row < 0)
        m_events->clearSelection();
    else
        m_events->scrollToItem(m_events->item(row), QAbstractItemView::EnsureVisible);
    m_rendering = was;
    // Where the list scrolled to follow the selection is the macro's view now.
    m_editor.eventLines().setTopRow(m_events->verticalScrollBar()->value());
    m_events->viewport()->update();
}
