// Import and export of macro files through Qt's file dialogs. The files and
// what they do to the image are the editor's; the page asks for the names,
// shows the pressed pictures and names a file that failed.
#include "macros/macro_page.h"

#include "configuration/configuration.h"
#include "macros/macro_editor.h"
#include "macros/macro_files.h"
#include "ui/skinned_content.h"

#include <QFileDialog>

namespace {
// The filters name the action; Qt wants a blank before the pattern list.
const QString kSaveFilter = QStringLiteral("SaveFile (*.bin)");
const QString kLoadFilter = QStringLiteral("LoadFile (*.bin)");
} // namespace

QString MacroPage::chooseExportFile()
{
    QFileDialog dialog(m_skin.client()->window());
    dialog.setObjectName(QStringLiteral("SaveDialog2"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(kSaveFilter);
    // The dialog asks before replacing the chosen name; ".bin" is appended
    // to it where it is missing, so the dialog adds no suffix of its own.
    dialog.setDefaultSuffix(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString MacroPage::chooseImportFile()
{
    QFileDialog dialog(m_skin.client()->window());
    dialog.setObjectName(QStringLiteral("OpenDialog2"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(kLoadFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void MacroPage::report(const MacroFileResult &result)
{
    if (!result.ok && !result.errorKey.isEmpty())
        emit messageRequested(result.message(m_config.text()));
}

void MacroPage::finishFileAction(const char *pictureName, const MacroFileResult &result)
{
    // The pointer left the button for the dialog: it looks as at rest again.
    showPressed(pictureName, kNormalPicture);
    report(result);
}

void MacroPage::Btn_ExportOneClick()
{
    if (m_editor.selectedMacro() < 0)
        return showPressed("Img_ExportOne", kOverPicture);
    showPressed("Img_ExportOne");
    const QString chosen = chooseExportFile();
    if (chosen.isEmpty())
        return showPressed("Img_ExportOne", kNormalPicture);
    finishFileAction("Img_ExportOne", m_editor.exportOne(chosen));
}

void MacroPage::Btn_ExportClick()
{
    const QString chosen = chooseExportFile();
    if (chosen.isEmpty())
        return showPressed("Img_Export", kNormalPicture);
    finishFileAction("Img_Export", m_editor.exportAll(chosen));
}

void MacroPage::Btn_ImportOneClick()
{
    if (m_editor.selectedMacro() < 0)
        return showPressed("Img_ImportOne", kOverPicture);
    const QString chosen = chooseImportFile();
    if (chosen.isEmpty())
        return showPressed("Img_ImportOne", kNormalPicture);
    const MacroFileResult checked = checkMacroFileSize(chosen, kSingleMacroFileSize);
    finishFileAction("Img_ImportOne", checked ? m_editor.importOne(chosen) : checked);
}

void MacroPage::Btn_ImportClick()
{
    const QString chosen = chooseImportFile();
    if (chosen.isEmpty())
        return showPressed("Img_Import", kNormalPicture);
    const MacroFileResult checked = checkMacroFileSize(chosen, kAllMacrosFileSize);
    finishFileAction("Img_Import", checked ? m_editor.importAll(chosen) : checked);
}
