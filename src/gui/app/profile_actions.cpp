// The Save and Load buttons of the main window: the whole configuration to
// and from a profile file through Qt's file dialogs. Neither talks to the
// mouse; both are refused while no mouse is connected.
#include "app/main_window.h"
#include "app/window_content.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {
// The filters name the action as the dialogs always did; Qt wants a blank
// before the pattern list.
const QString kSaveFilter = QStringLiteral("SaveFile (*.bin)");
const QString kLoadFilter = QStringLiteral("LoadFile (*.bin)");
} // namespace

void MainWindow::Btn_SaveClick()
{
    if (m_deviceWork > 0)
        return;
    m_content->HideAllMenu();
    m_content->showFileButtonPressed(true);
    if (!m_config.state().deviceOpen()) {
        showMessage(
            ProfileFileResult{ProfileFileResult::Status::NoDevice, {}}.message(m_config.text()));
        return;
    }
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(kSaveFilter);
    // The dialog asks before replacing the chosen name; ".bin" is appended
    // to that name where it is missing, without a default suffix from the dialog.
    dialog.setDefaultSuffix(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const ProfileFileResult result = m_config.saveProfile(dialog.selectedFiles().constFirst());
    if (!result.ok())
        showMessage(result.message(m_config.text()));
}

void MainWindow::Btn_LoadClick()
{
    if (m_deviceWork > 0)
        return;
    m_content->HideAllMenu();
    m_content->showFileButtonPressed(false);
    if (!m_config.state().deviceOpen()) {
        showMessage(
            ProfileFileResult{ProfileFileResult::Status::NoDevice, {}}.message(m_config.text()));
        return;
    }
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(kLoadFilter);
    // Until the user picks a folder of their own, the dialog opens where the
    // backups made before every write are.
    if (!m_loadFolder.isEmpty())
        dialog.setDirectory(m_loadFolder);
    else if (QFileInfo(m_backups.folder()).isDir())
        dialog.setDirectory(m_backups.folder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_loadFolder = dialog.directory().absolutePath();
    const ProfileFileResult result = m_config.importProfile(dialog.selectedFiles().constFirst());
    if (!result.ok())
        showMessage(result.message(m_config.text()));
}
