#include "buttons/button_screenshots.h"

#include "app/main_window.h"
#include "app/skinned_content_port.h"
#include "buttons/button_pages.h"
#include "buttons/key_combination_dialog.h"
#include "buttons/menu_panels.h"
#include "ui/skin_label.h"
#include "ui/window_shot.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QTextStream>

bool renderButtonScreenshots(MainWindow &window, const QDir &folder)
{
    auto *port = qobject_cast<SkinnedContentPort *>(&window.content());
    QWidget *client = window.clientArea();
    auto *key = client->findChild<SkinLabel *>(QStringLiteral("Key6"));
    if (!port || !key)
        return false;
    ButtonPages &pages = port->buttons();

    // The pointer went from "Special Key" down to "Fire Key".
    pages.ShowPnlMain_OnClick(key);
    MenuEntryLabel *special = client->findChild<MenuEntryLabel *>(QStringLiteral("Key_Special"));
    MenuEntryLabel *fire = client->findChild<MenuEntryLabel *>(QStringLiteral("Key_Fire"));
    pages.KeyByTagMouseEnter(special);
    pages.KeyByTagMouseLeave(special);
    pages.KeyByTagMouseEnter(fire);
    bool ok = saveShot(windowShot(window), folder, QStringLiteral("button-menu"));
    pages.KeyByTagMouseLeave(fire);
    pages.HideAllMenu();

    // Ctrl ticked, then A and B pressed in the key field.
    pages.Key_AssemblyClick();
    KeyCombinationDialog *dialog = pages.keyCombinationDialog();
    if (!dialog)
        return false;
    if (auto *ctrl = dialog->findChild<QCheckBox *>(QStringLiteral("CB_Ctrl")))
        ctrl->setChecked(true);
    dialog->Edt_AssemblyKeyDown(0x41, false, false, false);
    dialog->Edt_AssemblyKeyDown(0x42, false, false, false);
    QImage composed = windowShot(window);
    {
        QPainter painter(&composed);
        painter.drawImage(KeyCombinationDialog::placeOver(QRect(QPoint(0, 0), window.size())),
                          windowShot(*dialog));
    }
    ok = saveShot(composed, folder, QStringLiteral("key-combination")) && ok;
    dialog->IB_CloseClick();
    return ok;
}
