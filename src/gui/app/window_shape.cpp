#include "app/window_shape.h"

QBitmap windowShape(const QImage &picture, QRgb key)
{
    // A picture drawn for a denser display shapes the window in its units:
    // one of each square of pixels stands for the whole square, so no key
    // colour is blended into something else.
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    if (image.devicePixelRatio() > 1.0)
        image = image.scaled(image.deviceIndependentSize().toSize(), Qt::IgnoreAspectRatio,
                             Qt::FastTransformation);
    QImage mask(image.size(), QImage::Format_MonoLSB);
    mask.setColorCount(2);
    mask.setColor(0, qRgb(255, 255, 255)); // see-through
    mask.setColor(1, qRgb(0, 0, 0));       // window
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const bool keyed = (pixel & 0x00FFFFFF) == (key & 0x00FFFFFF);
            mask.setPixel(x, y, keyed || qAlpha(pixel) == 0 ? 0 : 1);
        }
    }
    return QBitmap::fromImage(mask);
}
