#pragma once

#include "macros/macro_format.h"
#include "macros/macro_name_dialog.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class Configuration;
class InputCapture;
class MacroEditor;
struct MacroFileResult;
class QComboBox;
class QLineEdit;
class QListWidget;
class SkinLabel;
class SkinPicture;
class SkinnedContent;

// The macro page's behaviour on the elements the skin created: it renders the
// macro editor (names, the open macro's events, the recorder's state) and
// hands every click to it. While a recording runs it listens to the keyboard
// and the mouse buttons through an InputCapture, and never otherwise.
class MacroPage : public QObject
{
    Q_OBJECT
public:
    MacroPage(SkinnedContent &skin, MacroEditor &editor, Configuration &config,
              QObject *parent = nullptr);
    ~MacroPage() override;

    MacroEditor &editor() { return m_editor; }
    InputCapture &capture() { return *m_capture; }
    // The last name dialog opened, nullptr once it closed.
    // cppcheck-suppress CastIntegerToAddressAtReturn ; a guarded pointer, not an integer
    MacroNameDialog *nameDialog() const { return m_nameDialog; }

    // The names into LB_MacroName, the selected one marked.
    void renderNames();
    // The image was replaced or the mouse went away: capture and recording
    // stop, and no macro stays open.
    void closeMacro();

    // --- handlers -----------------------------------------------------------
    void LB_MacroNameClick(int row);
    void Btn_NewClick();
    void Btn_StartClick();
    void Btn_ClearClick();
    void Btn_DelClick();
    void Btn_InsertClick();
    void Btn_InsertStartClick();
    void CB_InsertChange(int choice);
    void Btn_OKClick();
    void Btn_CancelClick();
    void Btn_ExportOneClick();
    void Btn_ExportClick();
    void Btn_ImportOneClick();
    void Btn_ImportClick();
    // IB_RecDelayClick ... and the insert twins.
    void delayOptionClick(bool insert, MacroDelayMode mode);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // A message for the user (a full macro, a file that failed).
    void messageRequested(const QString &text);

private:
    QWidget *widget(const char *name) const;
    template <typename T = QWidget> T *element(const char *name) const
    {
        return qobject_cast<T *>(widget(name));
    }
    SkinLabel *label(const char *name) const;
    SkinPicture *picture(const char *name) const;
    void connectCommands();
    void connectLists();
    void connectDelayFields();
    void connectScopeLine();
    void placeScopeLine();
    void showPressed(const char *pictureName, const char *skinPicture = "MacroS_03");
    // A click that does nothing leaves its button as the pointer over it
    // shows it; after a dialog the pointer has left it.
    static constexpr const char *kOverPicture = "MacroS_02";
    static constexpr const char *kNormalPicture = "MacroS_01";
    QString text(const QString &key) const;
    void stopCapture();

    // Rendering: every enable, caption and colour from the editor's state.
    void render();
    void renderEvents();
    void renderEventSelection();
    void renderDelayGroup();
    void renderInsertPanel();
    void setLabelEnabled(const char *name, bool enabled);
    void setEditColours(QLineEdit *edit, bool grey);
    void setTextGrey(const char *name, bool grey);
    void applyDelayText(QLineEdit *edit, bool insert);

    // Import and export through Qt's file dialogs.
    QString chooseExportFile();
    QString chooseImportFile();
    void report(const MacroFileResult &result);
    void finishFileAction(const char *pictureName, const MacroFileResult &result);

    SkinnedContent &m_skin;
    MacroEditor &m_editor;
    Configuration &m_config;
    std::unique_ptr<InputCapture> m_capture;
    QListWidget *m_names = nullptr;
    QListWidget *m_events = nullptr;
    QComboBox *m_choices = nullptr;
    QLineEdit *m_delay = nullptr;
    QLineEdit *m_insertDelay = nullptr;
    SkinLabel *m_scopeLine = nullptr;
    QPointer<MacroNameDialog> m_nameDialog;
    bool m_rendering = false;
};
