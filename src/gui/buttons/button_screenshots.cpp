#include "buttons/button_screenshots.h"

#include "app/main_window.h"
#include "app/skinned_content_port.h"
#include "buttons/button_pages.h"
#include "buttons/key_combination_dialog.h"
#include "buttons/menu_panels.h"
#include "ui/skin_label.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QTextStream>

namespace {

// A window as the desktop shows it: its see-through parts stay transparent.
QImage shotOf(QWidget &widget)
{
    QCoreApplication::processEvents();
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (!widget.mask().isEmpty())
        painter.setClipRegion(widget.mask());
    widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

bool save(const QImage &image, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    if (image.save(path))
        return true;
    QTextStream(stderr) << "cannot write " << path << '\n';
    return false;
}

} // namespace

bool renderButtonScreenshots(TForm1 &window, const QDir &folder)
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
    bool ok = save(shotOf(window), folder, QStringLiteral("button-menu.png"));
    pages.KeyByTagMouseLeave(fire);
    pages.HideAllMenu();

    // Ctrl ticked, then A and B pressed in the key field.
    pages.Key_AssemblyClick();
    TForm2 *dialog = pages.keyCombinationDialog();
    if (!dialog)
        return false;
    if (auto *ctrl = dialog->findChild<QCheckBox *>(QStringLiteral("CB_Ctrl")))
        ctrl->setChecked(true);
    dialog->Edt_AssemblyKeyDown(0x41, false, false, false);
    dialog->Edt_AssemblyKeyDown(0x42, false, false, false);
    QImage composed = shotOf(window);
    {
        QPainter painter(&composed);
        painter.drawImage(TForm2::placeOver(QRect(QPoint(0, 0), window.size())), shotOf(*dialog));
    }
    ok = save(composed, folder, QStringLiteral("key-combination.png")) && ok;
    dialog->IB_CloseClick();
    return ok;
}
