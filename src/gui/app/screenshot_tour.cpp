#include "app/screenshot_tour.h"

#include "app/busy_window.h"
#include "app/main_window.h"
#include "app/skinned_content_port.h"
#include "buttons/button_screenshots.h"
#include "device/simulated_mouse.h"
#include "macros/macro_screenshots.h"
#include "ui/skinned_content.h"

#include <QApplication>
#include <QBitmap>
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
    painter.end();
    return image;
}

bool save(const QImage &image, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (image.save(path))
        return true;
    QTextStream(stderr) << "cannot write " << path << '\n';
    return false;
}
} // namespace

bool renderScreenshots(TForm1 &window, SimulatedMouse *mouse, const QString &folder)
{
    auto *port = qobject_cast<SkinnedContentPort *>(&window.content());
    if (!mouse || !port) {
        QTextStream(stderr) << "screenshots need --simulate\n";
        return false;
    }
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "cannot create " << folder << '\n';
        return false;
    }
    SkinnedContent &skin = port->skin();
    window.DevTimerTimer(); // finds the mouse and reads it
    bool ok = true;
    const struct
    {
        Configuration::Page page;
        const char *name;
    } pages[] = {{Configuration::Page::Main, "main"},
                 {Configuration::Page::Advanced, "advanced"},
                 {Configuration::Page::Breathing, "breathing"},
                 {Configuration::Page::Macro, "macro"}};
    for (const auto &entry : pages) {
        skin.pageButtonClick(entry.page);
        ok = save(shotOf(window), dir, QStringLiteral("page-%1").arg(QLatin1String(entry.name))) &&
             ok;
    }
    skin.pageButtonClick(Configuration::Page::Main);
    ok = renderButtonScreenshots(window, dir) && ok;
    for (int language : {2, 3}) {
        skin.languageButtonClick(language);
        ok = save(shotOf(window), dir, QStringLiteral("main-language%1").arg(language)) && ok;
    }
    skin.languageButtonClick(1);

    // The busy window as it stands over the main window during a write.
    TFormLoadingUI &busy = window.busyWindow();
    busy.startTransfer(4923);
    for (int i = 0; i < 1800; ++i)
        busy.advance();
    QImage composed = shotOf(window);
    {
        QPainter painter(&composed);
        const QPoint offset = TFormLoadingUI::positionOver(QRect(QPoint(0, 0), window.size()));
        painter.drawImage(offset, shotOf(busy));
    }
    ok = save(composed, dir, QStringLiteral("busy")) && ok;
    busy.startTransfer(0);

    ok = renderMacroScreenshots(window, dir) && ok;
    skin.pageButtonClick(Configuration::Page::Main);

    mouse->setPlugged(false);
    window.DevTimerTimer();
    ok = save(shotOf(window), dir, QStringLiteral("no-device")) && ok;
    return ok;
}
