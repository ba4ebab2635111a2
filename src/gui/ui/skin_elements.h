#pragma once

#include <QHash>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

// The elements of the main window, created from tables: every picture,
// label, edit box, list and group has its name, kind and designed size here.
// Elements that the layout places start outside the 800 x 600 client area,
// so one the layout does not enable stays out of sight even when its page
// is shown.
namespace skin_elements {

// Where elements wait until the layout moves them into the window.
inline constexpr QPoint kOutside{820, 620};

// Creates every element on `client` in stacking order (background first, the
// cover labels Disable and Disable_All last but for the windowed controls,
// which lie above Disable as they do not take part in the cover) and returns
// them by name.
QHash<QString, QWidget *> create(QWidget *client);

// The elements DisplayP<page>/HideP<page> show and hide (page 1-4). The
// macro page's two groups are not in the list: which one shows depends on
// whether the insert panel is open.
const QStringList &pageElements(int page);

// Label names of the families that share hover pictures.
const QStringList &commandButtons();  // Btn_Confirm ... Btn_Exit
const QStringList &pageButtons();     // Btn_Main ... Btn_Macro (the six pages)
const QStringList &fileButtons();     // Btn_Save, Btn_Load
const QStringList &languageButtons(); // Btn_Lang1 ... Btn_Lang3
const QStringList &macroCommandButtons();
const QStringList &recordButtons();       // Btn_Start, Btn_InsertStart
const QStringList &insertDialogButtons(); // Btn_OK, Btn_Cancel

// The picture a clickable label lies on: "Btn_Main" -> "Img_Main",
// "Key3" -> "Img_Key3".
QString pictureOf(const QString &labelName);

} // namespace skin_elements
