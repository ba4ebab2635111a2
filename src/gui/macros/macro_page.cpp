#include "macros/macro_page.h"

#include "configuration/configuration.h"
#include "input/input_capture_factory.h"
#include "macros/input_capture.h"
#include "macros/macro_editor.h"
#include "macros/macro_event_delegate.h"
#include "macros/macro_name_dialog.h"
#include "ui/skin_label.h"
#include "ui/skin_picture.h"
#include "ui/skinned_content.h"

#include <QComboBox>
#include <QEvent>
#include <QIntValidator>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <utility>

MacroPage::MacroPage(SkinnedContent &skin, MacroEditor &editor, Configuration &config,
                     QObject *parent)
    : QObject(parent), m_skin(skin), m_editor(editor), m_config(config),
      m_capture(createInputCapture())
{
    m_names = element<QListWidget>("LB_MacroName");
    m_events = element<QListWidget>("LB_macro");
    m_choices = element<QComboBox>("CB_Insert");
    m_delay = element<QLineEdit>("Edt_Delay");
    m_insertDelay = element<QLineEdit>("Edt_InsertDelay");

    connectCaptureToRecorder(*m_capture, m_editor.recorder());
    connectCommands();
    connectLists();
    connectDelayFields();
    connectScopeLine();

    connect(&m_editor, &MacroEditor::namesChanged, this, &MacroPage::renderNames);
    connect(&m_editor, &MacroEditor::selectedMacroChanged, this, &MacroPage::renderNames);
    connect(&m_editor, &MacroEditor::stateChanged, this, &MacroPage::render);
    connect(&m_editor, &MacroEditor::selectedMacroChanged, this, &MacroPage::render);
    // A full macro stops the recording first; the message waits until the
    // capture's event is handled, so no box opens in the middle of it.
    connect(
        &m_editor, &MacroEditor::macroFull, this,
        [this] { emit messageRequested(MacroEditor::macroFullText(m_config.text())); },
        Qt::QueuedConnection);
    // A language switch captions the page afresh; the state's captions win.
    connect(&m_skin, &SkinnedContent::titleChanged, this, &MacroPage::render);

    renderNames();
    renderEvents();
    render();
}

MacroPage::~MacroPage()
{
    stopCapture();
    if (m_nameDialog)
        m_nameDialog->close();
}

QWidget *MacroPage::widget(const char *name) const
{
    return m_skin.element(QString::fromLatin1(name));
}

SkinLabel *MacroPage::label(const char *name) const
{
    return element<SkinLabel>(name);
}

SkinPicture *MacroPage::picture(const char *name) const
{
    return element<SkinPicture>(name);
}

QString MacroPage::text(const QString &key) const
{
    return m_config.text() ? m_config.text()(key) : QString();
}

void MacroPage::showPressed(const char *pictureName, const char *skinPicture)
{
    if (SkinPicture *image = picture(pictureName))
        image->setPicture(QString::fromLatin1(skinPicture));
}

void MacroPage::stopCapture()
{
    if (m_capture)
        m_capture->stop();
}

void MacroPage::connectCommands()
{
    const struct
    {
        const char *name;
        void (MacroPage::*handler)();
    } commands[] = {
        {"Btn_New", &MacroPage::Btn_NewClick},
        {"Btn_Start", &MacroPage::Btn_StartClick},
        {"Btn_Clear", &MacroPage::Btn_ClearClick},
        {"Btn_ExportOne", &MacroPage::Btn_ExportOneClick},
        {"Btn_Export", &MacroPage::Btn_ExportClick},
        {"Btn_ImportOne", &MacroPage::Btn_ImportOneClick},
        {"Btn_Import", &MacroPage::Btn_ImportClick},
        {"Btn_Del", &MacroPage::Btn_DelClick},
        {"Btn_Insert", &MacroPage::Btn_InsertClick},
        {"Btn_InsertStart", &MacroPage::Btn_InsertStartClick},
        {"Btn_OK", &MacroPage::Btn_OKClick},
        {"Btn_Cancel", &MacroPage::Btn_CancelClick},
    };
    for (const auto &command : commands) {
        SkinLabel *button = label(command.name);
        if (!button)
            continue;
        const auto handler = command.handler;
        // Only a left click is a command; a right click on Record is one of
        // the recorded events.
        connect(button, &SkinLabel::clicked, this, [this, handler](Qt::MouseButton mouseButton) {
            if (mouseButton == Qt::LeftButton)
                (this->*handler)();
        });
    }
    // A left click on a record button starts or stops the recording and is
    // never one of its events.
    for (const char *name : {"Btn_Start", "Btn_InsertStart"}) {
        if (SkinLabel *button = label(name)) {
            connect(button, &SkinLabel::entered, this,
                    [this] { m_editor.recorder().setOverRecordButton(true); });
            connect(button, &SkinLabel::left, this,
                    [this] { m_editor.recorder().setOverRecordButton(false); });
        }
    }

    const struct
    {
        const char *name;
        bool insert;
        MacroDelayMode mode;
    } options[] = {
        {"IB_RecDelay", false, MacroDelayMode::RecordedDelay},
        {"IB_DelayTime", false, MacroDelayMode::FixedDelay},
        {"IB_NoDelay", false, MacroDelayMode::NoDelay},
        {"IB_InsertRecDelay", true, MacroDelayMode::RecordedDelay},
        {"IB_InsertDelayTime", true, MacroDelayMode::FixedDelay},
        {"IB_InsertNoDelay", true, MacroDelayMode::NoDelay},
    };
    for (const auto &option : options) {
        if (SkinLabel *caption = label(option.name)) {
            connect(caption, &SkinLabel::clicked, this, [this, option](Qt::MouseButton) {
                delayOptionClick(option.insert, option.mode);
            });
        }
    }
    if (m_choices) {
        connect(m_choices, &QComboBox::activated, this, &MacroPage::CB_InsertChange);
    }
}

void MacroPage::connectLists()
{
    if (m_names) {
        connect(m_names, &QListWidget::currentRowChanged, this, [this](int row) {
            if (!m_rendering)
                LB_MacroNameClick(row);
        });
    }
    if (!m_events)
        return;
    m_events->setItemDelegate(new MacroEventDelegate(m_editor, m_events));
    m_events->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_events->setUniformItemSizes(true);
    m_events->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MacroEventLines &lines = m_editor.eventLines();
    connect(&lines, &MacroEventLines::linesChanged, this, &MacroPage::renderEvents);
    connect(&lines, &MacroEventLines::selectionChanged, this, &MacroPage::renderEventSelection);
    connect(&lines, &MacroEventLines::scrollRequested, this, [this](int top) {
        const bool was = std::exchange(m_rendering, true);
        m_events->verticalScrollBar()->setValue(top);
        m_rendering = was;
    });
    connect(m_events, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_rendering)
            m_editor.eventLines().setSelectedRow(row);
    });
    connect(m_events->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int top) {
        if (!m_rendering)
            m_editor.eventLines().setTopRow(top);
    });
}

void MacroPage::connectDelayFields()
{
    for (QLineEdit *edit : {m_delay, m_insertDelay}) {
        if (!edit)
            continue;
        const bool insert = edit == m_insertDelay;
        edit->setMaxLength(5);
        edit->setValidator(new QIntValidator(0, 99999, edit));
        connect(edit, &QLineEdit::textEdited, this,
                [this, edit, insert] { applyDelayText(edit, insert); });
        // An emptied field holds the smallest delay once the user leaves it.
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, insert] {
            if (edit->text().isEmpty())
                edit->setText(QString::number(kMinTypedDelay));
            applyDelayText(edit, insert);
        });
    }
}

void MacroPage::applyDelayText(QLineEdit *edit, bool insert)
{
    if (edit->text().isEmpty())
        return; // still being typed
    MacroDelaySettings &settings =
        insert ? m_editor.recorder().insertDelay() : m_editor.recorder().normalDelay();
    settings.setDelay(edit->text().toInt());
    const QString clamped = QString::number(settings.delay);
    if (edit->text() != clamped)
        edit->setText(clamped);
}

void MacroPage::connectScopeLine()
{
    // One line over the lists tells how far a recording hears, where only
    // this window can be heard.
    QWidget *page = picture("Img_P4");
    if (!page || m_capture->isSystemWide())
        return;
    m_scopeLine = new SkinLabel(QStringLiteral("lbl_CaptureScope"), {560, 18}, page->parentWidget(),
                                Qt::AlignLeft | Qt::AlignVCenter);
    m_scopeLine->setAttribute(Qt::WA_TransparentForMouseEvents);
    page->installEventFilter(this);
    placeScopeLine();
}

void MacroPage::placeScopeLine()
{
    QWidget *page = picture("Img_P4");
    if (!m_scopeLine || !page)
        return;
    m_scopeLine->move(page->x() + 18, page->y() - 22);
    m_scopeLine->setVisible(page->isVisibleTo(page->parentWidget()));
    m_scopeLine->raise();
}

bool MacroPage::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::Move:
        placeScopeLine();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void MacroPage::closeMacro()
{
    stopCapture();
    m_editor.closeMacro();
}

// --- handlers ------------------------------------------------------------------

void MacroPage::LB_MacroNameClick(int row)
{
    if (!m_editor.selectMacro(row))
        renderNames(); // refused: the list shows the macro still open
}

void MacroPage::Btn_NewClick()
{
    if (m_editor.selectedMacro() < 0)
        return showPressed("Img_New", kOverPicture);
    showPressed("Img_New");
    // The name goes to the macro selected when OK is pressed; a dialog left
    // open past the page's end names nothing.
    QPointer<MacroEditor> editor(&m_editor);
    QWidget *window = m_skin.client()->window();
    auto *dialog = new MacroNameDialog(
        m_config.text(),
        [editor](const QString &name) {
            if (editor)
                editor->ApplyMacroName(name);
        },
        window);
    dialog->move(window->geometry().center() - dialog->rect().center());
    m_nameDialog = dialog;
    dialog->show();
    dialog->activateWindow();
    dialog->nameField()->setFocus(Qt::ActiveWindowFocusReason);
}

void MacroPage::Btn_StartClick()
{
    if (m_editor.pageState() == MacroEditor::PageState::Recording) {
        // The capture ends first, so nothing arrives once the macro is stored.
        stopCapture();
        m_editor.toggleRecording();
        showPressed("Img_Start");
        return;
    }
    if (m_editor.pageState() != MacroEditor::PageState::Browsing || m_editor.selectedMacro() < 0)
        return;
    showPressed("Img_Start");
    m_capture->start();
    if (!m_editor.toggleRecording()) {
        stopCapture();
        return;
    }
    if (m_events)
        m_events->setFocus();
}

void MacroPage::Btn_InsertStartClick()
{
    if (m_editor.pageState() == MacroEditor::PageState::InsertRecording) {
        stopCapture();
        m_editor.toggleInsertRecording();
        showPressed("Img_InsertStart");
        return;
    }
    if (m_editor.pageState() != MacroEditor::PageState::InsertPanel)
        return;
    m_capture->start();
    if (!m_editor.toggleInsertRecording()) {
        stopCapture();
        return;
    }
    showPressed("Img_InsertStart");
}

void MacroPage::Btn_ClearClick()
{
    if (m_editor.selectedMacro() < 0 || m_editor.pageState() != MacroEditor::PageState::Browsing)
        return showPressed("Img_Clear", kOverPicture);
    showPressed("Img_Clear");
    QMessageBox box(m_skin.client()->window());
    box.setObjectName(QStringLiteral("ClearQuestion"));
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(m_skin.applicationTitle());
    box.setText(text(QStringLiteral("Str430")));
    // The buttons speak the window's language, not the desktop's.
    QPushButton *yes = box.addButton(QMessageBox::Yes);
    QPushButton *no = box.addButton(QMessageBox::No);
    if (const QString yesText = text(QStringLiteral("Str431")); !yesText.isEmpty())
        yes->setText(yesText);
    if (const QString noText = text(QStringLiteral("Str432")); !noText.isEmpty())
        no->setText(noText);
    box.setDefaultButton(yes);
    box.exec();
    // The pointer left the button for the question.
    showPressed("Img_Clear", kNormalPicture);
    if (box.clickedButton() == yes)
        m_editor.clearSelectedMacro();
}

void MacroPage::Btn_DelClick()
{
    if (m_editor.eventLines().selectedRow() < 0)
        return showPressed("Img_Del", kOverPicture);
    showPressed("Img_Del");
    m_editor.deleteSelected();
    if (m_events)
        m_events->viewport()->update();
}

void MacroPage::Btn_InsertClick()
{
    showPressed("Img_Insert");
    m_editor.openInsertPanel();
}

void MacroPage::CB_InsertChange(int choice)
{
    m_editor.chooseInsert(choice);
}

void MacroPage::Btn_OKClick()
{
    showPressed("Img_OK", "MacroBtnS_03");
    m_editor.confirmInsert();
}

void MacroPage::Btn_CancelClick()
{
    showPressed("Img_Cancel", "MacroBtnS_03");
    m_editor.cancelInsert();
}

void MacroPage::delayOptionClick(bool insert, MacroDelayMode mode)
{
    MacroDelaySettings &settings =
        insert ? m_editor.recorder().insertDelay() : m_editor.recorder().normalDelay();
    if (m_editor.recorder().isRecording())
        return; // the options are fixed while a recording runs
    settings.mode = mode;
    render();
}
