#include "draw_mouse.h"

#include "skin_style.h"

#include <QPainter>

using namespace skin;

namespace {

// Maps a point of the 130 x 250 design grid into the box.
QPointF at(const QRectF &box, qreal x, qreal y)
{
    return {box.left() + x * box.width() / 130.0, box.top() + y * box.height() / 250.0};
}

QRectF rectAt(const QRectF &box, qreal x, qreal y, qreal w, qreal h)
{
    return QRectF(at(box, x, y), at(box, x + w, y + h));
}

} // namespace

QPainterPath mouseOutline(const QRectF &box)
{
    QPainterPath path;
    path.moveTo(at(box, 65, 0));
    path.cubicTo(at(box, 108, 0), at(box, 128, 34), at(box, 128, 92));
    path.cubicTo(at(box, 128, 130), at(box, 122, 160), at(box, 122, 182));
    path.cubicTo(at(box, 122, 226), at(box, 98, 250), at(box, 65, 250));
    path.cubicTo(at(box, 32, 250), at(box, 8, 226), at(box, 8, 182));
    path.cubicTo(at(box, 8, 160), at(box, 2, 130), at(box, 2, 92));
    path.cubicTo(at(box, 2, 34), at(box, 22, 0), at(box, 65, 0));
    path.closeSubpath();
    return path;
}

void drawMouseIllustration(QPainter &p, const QRectF &box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath body = mouseOutline(box);

    // Floor glow under the mouse.
    QRadialGradient floor(at(box, 65, 140), box.width() * 0.95);
    floor.setColorAt(0, withAlpha(kAccent, 60));
    floor.setColorAt(1, withAlpha(kAccent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(floor);
    p.drawEllipse(at(box, 65, 140), box.width() * 0.95, box.height() * 0.62);

    QLinearGradient shell(box.topLeft(), box.topRight());
    shell.setColorAt(0, QColor(30, 34, 42));
    shell.setColorAt(0.45, QColor(58, 64, 78));
    shell.setColorAt(1, QColor(24, 27, 34));
    p.fillPath(body, shell);

    // Side grips with the two thumb buttons.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 22, 28));
    p.drawRoundedRect(rectAt(box, -3, 86, 10, 22), 3, 3);
    p.drawRoundedRect(rectAt(box, -3, 112, 10, 22), 3, 3);
    p.setPen(QPen(QColor(96, 104, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(rectAt(box, -3, 86, 10, 22), 3, 3);
    p.drawRoundedRect(rectAt(box, -3, 112, 10, 22), 3, 3);

    // Button seams: the split between left and right, and their back edge.
    p.setPen(QPen(QColor(12, 14, 18), 2));
    p.drawLine(at(box, 65, 2), at(box, 65, 100));
    QPainterPath back;
    back.moveTo(at(box, 4, 104));
    back.quadTo(at(box, 65, 86), at(box, 126, 104));
    p.drawPath(back);

    // Extra button at the front left.
    p.setPen(QPen(QColor(110, 118, 134), 1));
    p.setBrush(QColor(40, 45, 56));
    p.drawRoundedRect(rectAt(box, 16, 38, 9, 26), 4, 4);

    // Scroll wheel with ribs and an accent ring.
    const QRectF wheel = rectAt(box, 57, 18, 16, 40);
    p.setPen(QPen(kAccent, 1.5));
    p.setBrush(QColor(16, 18, 22));
    p.drawRoundedRect(wheel, wheel.width() / 2, wheel.width() / 2);
    p.setPen(QPen(QColor(120, 128, 144), 1));
    for (int i = 1; i < 7; ++i) {
        const qreal y = 18 + i * 40.0 / 7;
        p.drawLine(at(box, 60, y), at(box, 70, y));
    }
    // DPI up and down behind the wheel.
    p.setPen(QPen(QColor(110, 118, 134), 1));
    p.setBrush(QColor(40, 45, 56));
    p.drawRoundedRect(rectAt(box, 59, 64, 12, 12), 3, 3);
    p.drawRoundedRect(rectAt(box, 59, 80, 12, 12), 3, 3);

    // Light strip along the palm rest and the logo.
    QPainterPath strip;
    strip.moveTo(at(box, 18, 150));
    strip.cubicTo(at(box, 30, 215), at(box, 100, 215), at(box, 112, 150));
    drawGlow(p, strip, kAccent, 3);
    p.setPen(QPen(kAccentLight, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(strip);
    QPainterPath logo;
    logo.moveTo(at(box, 65, 150));
    logo.lineTo(at(box, 76, 170));
    logo.lineTo(at(box, 54, 170));
    logo.closeSubpath();
    p.fillPath(logo, kAccent);
    p.setPen(QPen(QColor(16, 18, 22), 3));
    p.drawLine(at(box, 65, 162), at(box, 65, 172));
    // Back button under the palm.
    p.setPen(QPen(QColor(110, 118, 134), 1));
    p.setBrush(QColor(40, 45, 56));
    p.drawRoundedRect(rectAt(box, 55, 222, 20, 8), 3, 3);

    // Sheen and outline.
    QLinearGradient sheen(at(box, 0, 0), at(box, 0, 250));
    sheen.setColorAt(0, withAlpha(Qt::white, 34));
    sheen.setColorAt(0.4, withAlpha(Qt::white, 0));
    p.fillPath(body, sheen);
    p.setPen(QPen(QColor(120, 128, 146), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.restore();
}

void drawMouseGlyph(QPainter &p, const QRectF &box, const QColor &colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(mouseOutline(box), colour);
    // The button split and the wheel, cut out of the shape.
    const qreal w = box.width();
    p.setPen(QPen(QColor(16, 18, 22), qMax(1.0, w / 14)));
    p.drawLine(at(box, 65, 0), at(box, 65, 30));
    QPainterPath back;
    back.moveTo(at(box, 0, 100));
    back.quadTo(at(box, 65, 82), at(box, 130, 100));
    p.setBrush(Qt::NoBrush);
    p.drawPath(back);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(16, 18, 22));
    const QRectF wheel = rectAt(box, 52, 26, 26, 50);
    p.drawRoundedRect(wheel, wheel.width() / 2, wheel.width() / 2);
    p.restore();
}

QPointF mouseButtonAnchor(int button, const QRectF &box)
{
    switch (button) {
    case 1:
        return at(box, 38, 40);
    case 2:
        return at(box, 92, 40);
    case 3:
        return at(box, 65, 38);
    case 4:
        return at(box, 2, 97);
    case 5:
        return at(box, 2, 123);
    case 6:
        return at(box, 65, 70);
    case 7:
        return at(box, 65, 86);
    case 8:
        return at(box, 20, 51);
    case 9:
        return at(box, 65, 226);
    case 10:
        return at(box, 10, 170);
    case 11:
        return at(box, 16, 200);
    default:
        return at(box, 120, 170);
    }
}
