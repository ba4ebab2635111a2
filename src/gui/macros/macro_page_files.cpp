// Import and export of macro files through Qt's file dialogs. The files and
// what they do to the image are the editor's; the page asks for the names,
// shows the pressed pictures and names a file that failed.
#include "macros/macro_page.h"

#include "image/configuration.h"
#include "macros/macro_editor.h"
#include "macros/macro_files.h"
#include "ui/skinned_content.h"

#include <QFileDialog>

namespace {
// The filters name the action; Qt wants a blank before the pattern list.
const QString kSaveFilter = QStringLiteral("SaveFile (*.bin)");
const QString kLoadFilter = QStringLiteral("LoadFile (*.bin)");
// A click that does nothing leaves its button as the pointer over it shows it;
// after a cancelled dialog the pointer has left it.
constexpr const char *kOverPicture = "MacroS_02";
constexpr const char *kNormalPicture = "MacroS_01";
} // namespace

QString MacroPage::chooseExportFile()
{
    QFileDialog dialog(m_skin.client()->window());
    dialog.setObjectName(QStringLiteral("SaveDialog2"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(kSaveFilter);
    // The dialog asks before replacing the chosen name; ".bin" is appended
    // to it in every case, so the dialog adds no suffix of its own.
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

void MacroPage::Btn_ExportOneClick()
{
    if (m_editor.selectedMacro() < 0)
        return showPressed("Img_ExportOne", kOverPicture);
    showPressed("Img_ExportOne");
    const QString chosen = chooseExportFile();
    if (chosen.isEmpty())
        return showPressed("Img_ExportOne", kNormalPicture);
    report(m_editor.exportOne(chosen));
}

void MacroPage::Btn_ExportClick()
{
    const QString chosen = chooseExportFile();
    if (chosen.isEmpty())
        return showPressed("Img_Export", kNormalPicture);
    showPressed("Img_Export");
    report(m_editor.exportAll(chosen));
}

void MacroPage::Btn_ImportOneClick()
{
    if (m_editor.selectedMacro() < 0)
        return showPressed("Img_ImportOne", kOverPicture);
    const QString chosen = chooseImportFile();
    if (chosen.isEmpty())
        return showPressed("Img_ImportOne", kNormalPicture);
    showPressed("Img_ImportOne");
    report(m_editor.importOne(chosen));
}

void MacroPage::Btn_ImportClick()
{
    const QString chosen = chooseImportFile();
    if (chosen.isEmpty())
        return showPressed("Img_Import", kNormalPicture);
    showPressed("Img_Import");
    report(m_editor.importAll(chosen));
}
