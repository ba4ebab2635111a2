// The dialogs' backgrounds and button hovers, the busy animation and the
// application icon.
#include "draw_mouse.h"
#include "skin_pictures.h"
#include "skin_style.h"

#include <QPainter>
#include <QtMath>

using namespace skin;

namespace {

// Background of the key-combination and macro-name dialogs (354 x 179): a
// card with an accent edge, a well around the text field, resting buttons
// under the two hover pictures and a close mark in the top right corner.
QImage dialogBackground(bool modifierRow)
{
    const int w = 354, h = 179;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = rounded(QRectF(0, 0, w, h), 12);
    QLinearGradient ground(0, 0, 0, h);
    ground.setColorAt(0, QColor(34, 38, 47));
    ground.setColorAt(1, QColor(18, 20, 25));
    p.fillPath(shape, ground);
    p.setClipPath(shape);
    QRadialGradient warm(30, 0, 260);
    warm.setColorAt(0, withAlpha(kAccent, 55));
    warm.setColorAt(1, withAlpha(kAccent, 0));
    p.fillRect(QRectF(0, 0, w, h), warm);
    p.fillRect(QRectF(0, 0, w, 3), kAccent);
    p.setClipping(false);

    // Close mark centred in the 30 x 30 close area at (316, 6).
    p.setPen(QPen(kTextDim, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(325, 15), QPointF(337, 27));
    p.drawLine(QPointF(337, 15), QPointF(325, 27));

    // Well of the text field at (56, 68), 209 x 22.
    p.setPen(QPen(withAlpha(kAccent, 200), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(52.5, 64.5, 216, 29), 4, 4);
    if (modifierRow) {
        p.setPen(QPen(kLine, 1));
        p.drawLine(QPointF(20, 92.5 + 30), QPointF(w - 20, 92.5 + 30));
    }
    // Resting buttons under the hover pictures at (44, 134) and (196, 134).
    for (int x : {44, 196})
        drawControl(p, QRectF(x, 134, 97, 30), 6, kCardHigh, kCard, kLine);

    p.setPen(QPen(QColor(70, 76, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    p.end();
    applyWindowShape(image, kWindowKey, kBase);
    return image;
}

// Hover pictures of the dialog buttons (97 x 30): the confirming one in the
// accent, the other a lit neutral.
QImage dialogButtonHover(bool confirm)
{
    QImage image = canvas(97, 30);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (confirm)
        drawControl(p, QRectF(0, 0, 97, 30), 6, kAccentLight, kAccent, kAccentLight);
    else
        drawControl(p, QRectF(0, 0, 97, 30), 6, QColor(60, 66, 80), kCardHigh, kAccent);
    return image;
}

// Frame `frame` of `count` of the busy animation: a comet running round a
// ring with the mouse in the middle, on a card whose outside is black (the
// busy window's see-through colour). The lower part stays free for the
// progress line the window writes.
QImage busyFrame(int frame, int count)
{
    const int w = 200, h = 192;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = rounded(QRectF(0, 0, w, h), 16);
    QLinearGradient ground(0, 0, 0, h);
    ground.setColorAt(0, QColor(30, 34, 42));
    ground.setColorAt(1, QColor(16, 18, 23));
    p.fillPath(shape, ground);
    p.setPen(QPen(withAlpha(kAccent, 140), 1));
    p.drawPath(shape);

    const QPointF centre(100, 80);
    const qreal radius = 48;
    p.setPen(QPen(kLine, 6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
    const QRectF ring(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    const int head = 90 * 16 - frame * (360 * 16 / count);
    const int pieces = 14;
    for (int i = 0; i < pieces; ++i) {
        const int alpha = 255 * (i + 1) / pieces;
        p.setPen(QPen(withAlpha(i == pieces - 1 ? kAccentLight : kAccent, alpha), 6, Qt::SolidLine,
                      Qt::FlatCap));
        p.drawArc(ring, head + (pieces - i) * 8 * 16, 9 * 16);
    }
    p.setPen(QPen(kAccentLight, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(ring, head, 8 * 16);

    // The mouse breathes with the comet: brighter at the top of the turn.
    const qreal phase = 0.5 + 0.5 * qCos(2 * M_PI * frame / count);
    drawMouseGlyph(p, QRectF(87, 55, 26, 50), QColor(255, 74 + int(40 * phase), 40));

    p.fillRect(QRectF(40, 152, 120, 1), kLine);
    p.end();
    applyWindowShape(image, Qt::black, kBase);
    return image;
}

} // namespace

void addDialogPictures(Pictures &out)
{
    out[QStringLiteral("AssemblyBack")] = dialogBackground(true);
    out[QStringLiteral("MacroNameBack")] = dialogBackground(false);
    out[QStringLiteral("DlgBtnS_01")] = dialogButtonHover(true);
    out[QStringLiteral("DlgBtnS_02")] = dialogButtonHover(false);
}

void addBusyFrames(Pictures &out)
{
    constexpr int count = 12;
    for (int frame = 0; frame < count; ++frame)
        out[QStringLiteral("WaitGif_%1").arg(frame + 1, 2, 10, QLatin1Char('0'))] =
            busyFrame(frame, count);
}

QImage drawAppIcon(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
    QLinearGradient ground(tile.topLeft(), tile.bottomLeft());
    ground.setColorAt(0, QColor(44, 49, 60));
    ground.setColorAt(1, QColor(14, 16, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(ground);
    p.drawRoundedRect(tile, s * 0.22, s * 0.22);
    if (size >= 32) {
        QRadialGradient glow(s / 2, s * 0.62, s * 0.5);
        glow.setColorAt(0, withAlpha(kAccent, 110));
        glow.setColorAt(1, withAlpha(kAccent, 0));
        p.setBrush(glow);
        p.drawRoundedRect(tile, s * 0.22, s * 0.22);
        p.setPen(QPen(withAlpha(kAccent, 150), qMax(1.0, s / 64)));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), s * 0.22, s * 0.22);
    }
    // Small sizes show the mouse larger: at 16 pixels detail would only blur.
    const qreal mouseHeight = s * (size <= 24 ? 0.8 : 0.7);
    const QRectF mouse(s / 2 - mouseHeight * 0.26, (s - mouseHeight) / 2, mouseHeight * 0.52,
                       mouseHeight);
    drawMouseGlyph(p, mouse, kAccent);
    return image;
}
