#include "skin_style.h"

#include <QFontMetricsF>
#include <QPainter>

namespace skin {

namespace {
int g_scale = 1;
}

void setDrawingScale(int scale)
{
    g_scale = scale < 1 ? 1 : scale;
}

int drawingScale()
{
    return g_scale;
}

QImage canvas(int width, int height)
{
    QImage image(width * g_scale, height * g_scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(g_scale);
    image.fill(Qt::transparent);
    return image;
}

int logicalWidth(const QImage &image)
{
    return qRound(image.deviceIndependentSize().width());
}

int logicalHeight(const QImage &image)
{
    return qRound(image.deviceIndependentSize().height());
}

QFont font(int pixelSize, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

QPainterPath rounded(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    return path;
}

void drawControl(QPainter &p, const QRectF &rect, qreal radius, QColor top, QColor bottom,
                 QColor border)
{
    const QPainterPath shape = rounded(rect, radius);
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.fillPath(shape, fill);
    p.setPen(QPen(border, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    // A one-pixel sheen under the top edge makes the control read as raised.
    QLinearGradient sheen(rect.topLeft(), rect.topRight());
    sheen.setColorAt(0, withAlpha(Qt::white, 0));
    sheen.setColorAt(0.5, withAlpha(Qt::white, 40));
    sheen.setColorAt(1, withAlpha(Qt::white, 0));
    p.setPen(QPen(QBrush(sheen), 1));
    p.drawLine(QPointF(rect.left() + radius, rect.top() + 1.5),
               QPointF(rect.right() - radius, rect.top() + 1.5));
}

void drawGlow(QPainter &p, const QPainterPath &shape, QColor colour, int spread)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = spread; i >= 1; --i) {
        p.setPen(
            QPen(withAlpha(colour, 70 / i), 2.0 * i, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shape);
    }
    p.restore();
}

void drawText(QPainter &p, const QRectF &rect, int flags, const QString &text, const QFont &font,
              QColor colour)
{
    p.save();
    p.setFont(font);
    p.setPen(colour);
    const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideRight, rect.width());
    p.drawText(rect, flags, shown);
    p.restore();
}

void avoidWindowKey(QImage &image)
{
    const QRgb key = kWindowKey.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 255 && (line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                line[x] = qRgb(129, 0, 0);
        }
    }
}

void applyWindowShape(QImage &image, QColor key, QColor edge)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = line[x];
            const int a = qAlpha(px);
            if (a < 128) {
                line[x] = key.rgb();
                continue;
            }
            const auto mix = [a](int c, int e) { return (c * a + e * (255 - a)) / 255; };
            line[x] = qRgb(mix(qRed(px), edge.red()), mix(qGreen(px), edge.green()),
                           mix(qBlue(px), edge.blue()));
            if (line[x] == key.rgb())
                line[x] = qRgb(129, 0, 0);
        }
    }
}

} // namespace skin
