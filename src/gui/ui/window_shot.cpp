#include "ui/window_shot.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTextStream>
#include <QWidget>

QImage windowShot(QWidget &widget)
{
    QCoreApplication::processEvents();
    // As many pixels as the screen gives the window (twice as many each way
    // under QT_SCALE_FACTOR=2).
    const qreal ratio = widget.devicePixelRatioF();
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (!widget.mask().isEmpty())
        painter.setClipRegion(widget.mask());
    widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    return image;
}

bool saveShot(const QImage &image, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (image.save(path))
        return true;
    QTextStream(stderr) << "cannot write " << path << '\n';
    return false;
}
