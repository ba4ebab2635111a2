// The small pictures that lie under clickable labels and show their state.
#include "skin_pictures.h"
#include "skin_style.h"

#include <QPainter>
#include <QtMath>

using namespace skin;

namespace {

enum class State
{
    Normal,
    Hover,
    Pressed,
    Selected,
};

// A push button (command column, macro commands, insert OK/Cancel): dark at
// rest, lit border on hover, accent-filled when pressed.
QImage pushButton(int w, int h, State state)
{
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, w, h);
    const qreal radius = h / 4.0;
    switch (state) {
    case State::Normal:
        drawControl(p, r, radius, kCardHigh, kCard, kLine);
        break;
    case State::Hover:
        drawControl(p, r, radius, QColor(52, 58, 70), kCardHigh, kAccent);
        break;
    case State::Pressed:
    case State::Selected:
        drawControl(p, r, radius, kAccentDeep, kAccent, kAccentLight);
        break;
    }
    if (state != State::Pressed) {
        // A short accent tick on the left edge ties every button to the accent.
        p.fillRect(QRectF(1, h / 2.0 - h / 6.0, 2, h / 3.0),
                   state == State::Hover ? kAccentLight : withAlpha(kAccent, 170));
    }
    return image;
}

// Page, file and language tabs: state 2 is the selected one (accent bar and
// a warm glow from below), state 3 the pointer over it.
QImage tab(State state)
{
    const int w = 125, h = 33;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, w - 2, h - 2);
    const QColor border = state == State::Normal ? kLine : withAlpha(kAccent, 150);
    drawControl(p, r, 5, state == State::Normal ? kCard : kCardHigh, kPanel, border);
    if (state == State::Selected) {
        QLinearGradient warm(0, h, 0, 0);
        warm.setColorAt(0, withAlpha(kAccent, 110));
        warm.setColorAt(1, withAlpha(kAccent, 0));
        p.fillPath(rounded(r, 5), warm);
        p.fillRect(QRectF(12, h - 4, w - 24, 2), kAccentLight);
    } else if (state == State::Hover) {
        p.fillRect(QRectF(24, h - 4, w - 48, 2), withAlpha(kAccent, 200));
    }
    return image;
}

// The plate under a button label of the mouse-button page.
QImage keyPlate(State state)
{
    const int w = 104, h = 31;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(2, 2, w - 4, h - 4);
    if (state == State::Hover) {
        drawGlow(p, rounded(r, 6), kAccent, 2);
        drawControl(p, r, 6, QColor(56, 40, 38), kCardHigh, kAccentLight);
    } else {
        drawControl(p, r, 6, kCardHigh, kCard, kLine);
    }
    return image;
}

// The web link: a round globe at the left end; the rest of the strip is left
// clear so the link sits on the background wherever the layout puts it.
QImage webLink(State state)
{
    QImage image = canvas(264, 21);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ball(1.5, 1.5, 18, 18);
    const QColor ink = state == State::Normal ? kTextDim : kText;
    if (state == State::Pressed)
        p.setBrush(kAccent);
    else if (state == State::Hover)
        p.setBrush(withAlpha(kAccent, 70));
    else
        p.setBrush(Qt::NoBrush);
    p.setPen(QPen(state == State::Normal ? kTextDim : kAccentLight, 1.4));
    p.drawEllipse(ball);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 1.1));
    p.drawEllipse(QRectF(6.5, 1.5, 8, 18));
    p.drawLine(QPointF(2, 10.5), QPointF(19, 10.5));
    p.drawLine(QPointF(10.5, 2), QPointF(10.5, 19));
    return image;
}

// Frame over a 48 x 48 colour swatch: the swatch shows through a rounded
// window in the middle.
QImage colourFrame()
{
    QImage image = canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath ring;
    ring.addRect(0, 0, 48, 48);
    ring.addRoundedRect(QRectF(5, 5, 38, 38), 7, 7);
    p.fillPath(ring, kCard);
    p.setPen(QPen(kLine, 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, 47, 47), 8, 8);
    p.setPen(QPen(withAlpha(Qt::white, 90), 1.2));
    p.drawRoundedRect(QRectF(5, 5, 38, 38), 7, 7);
    // The corners outside the rounded edge belong to the page behind.
    p.setCompositionMode(QPainter::CompositionMode_Source);
    QPainterPath corners;
    corners.addRect(0, 0, 48, 48);
    corners.addRoundedRect(QRectF(0, 0, 48, 48), 8, 8);
    p.fillPath(corners, kPanel);
    return image;
}

// Segment of a ten-step scale.
QImage scaleSegment(bool lit)
{
    QImage image = canvas(20, 8);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, 18, 6);
    if (lit) {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, kAccentLight);
        g.setColorAt(1, kAccent);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(r, 3, 3);
    } else {
        p.setPen(QPen(kLine, 1));
        p.setBrush(QColor(34, 38, 47));
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
    return image;
}

// Marker of the current DPI level (lit) and of the other levels.
QImage levelMarker(bool lit)
{
    QImage image = canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath diamond;
    diamond.moveTo(8, 2);
    diamond.lineTo(14, 8);
    diamond.lineTo(8, 14);
    diamond.lineTo(2, 8);
    diamond.closeSubpath();
    if (lit) {
        drawGlow(p, diamond, kAccent, 1);
        p.fillPath(diamond, kAccent);
        p.setPen(QPen(kAccentLight, 1));
        p.drawPath(diamond);
    } else {
        p.fillPath(diamond, QColor(34, 38, 47));
        p.setPen(QPen(QColor(84, 92, 108), 1));
        p.drawPath(diamond);
    }
    return image;
}

// Option indicator: a ring, with an accent dot when chosen.
QImage optionIndicator(bool chosen)
{
    QImage image = canvas(14, 14);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(chosen ? kAccent : QColor(96, 104, 120), 1.5));
    p.setBrush(QColor(20, 23, 29));
    p.drawEllipse(QRectF(1.25, 1.25, 11.5, 11.5));
    if (chosen) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccentLight);
        p.drawEllipse(QRectF(4, 4, 6, 6));
    }
    return image;
}

// Indicator light of a delay option: glowing when lit, an empty socket when not.
QImage indicatorLight(bool lit)
{
    QImage image = canvas(14, 14);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (lit) {
        QRadialGradient g(7, 7, 7);
        g.setColorAt(0, QColor(255, 214, 190));
        g.setColorAt(0.35, kAccentLight);
        g.setColorAt(0.7, kAccent);
        g.setColorAt(1, withAlpha(kAccent, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QRectF(0, 0, 14, 14));
    } else {
        p.setPen(QPen(kLine, 1));
        p.setBrush(QColor(24, 27, 33));
        p.drawEllipse(QRectF(3.5, 3.5, 7, 7));
    }
    return image;
}

// Icons of the macro event list: 0 delay, 1 key press, 2 key release.
QImage eventIcon(int kind)
{
    QImage image = canvas(24, 24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == 0) {
        p.setPen(QPen(kTextDim, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(3.5, 3.5, 17, 17));
        p.setPen(QPen(kText, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 12), QPointF(12, 7));
        p.drawLine(QPointF(12, 12), QPointF(15.5, 14));
        return image;
    }
    const bool press = kind == 1;
    // A key cap with an arrow: down into it for a press, up out of it for a release.
    p.setPen(QPen(press ? kAccent : QColor(120, 200, 140), 1.4));
    p.setBrush(press ? withAlpha(kAccent, 60) : QColor(40, 70, 52));
    p.drawRoundedRect(QRectF(3.5, 12.5, 17, 8), 2.5, 2.5);
    p.setPen(QPen(kText, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (press) {
        p.drawLine(QPointF(12, 2.5), QPointF(12, 9.5));
        p.drawPolyline(QPolygonF({QPointF(8.5, 6.5), QPointF(12, 10), QPointF(15.5, 6.5)}));
    } else {
        p.drawLine(QPointF(12, 10), QPointF(12, 3));
        p.drawPolyline(QPolygonF({QPointF(8.5, 6.5), QPointF(12, 3), QPointF(15.5, 6.5)}));
    }
    return image;
}

// Backdrop of the insert panel (200 x 176); the delay choice shows a clock
// behind its empty middle, the key choice a framed area for its three options.
QImage insertBackdrop(bool keys)
{
    const int w = 200, h = 176;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawControl(p, QRectF(0, 0, w, h), 8, kCardHigh, kCard, withAlpha(kAccent, 160));
    p.fillRect(QRectF(8, 0, w - 16, 2), kAccent);
    p.setPen(QPen(kLine, 1));
    p.drawLine(QPointF(10, 138.5), QPointF(w - 10, 138.5));
    if (keys) {
        p.setPen(QPen(kLine, 1));
        p.setBrush(QColor(22, 25, 31, 200));
        p.drawRoundedRect(QRectF(6.5, 39.5, w - 13, 72), 5, 5);
    } else {
        p.setPen(QPen(withAlpha(kTextDim, 70), 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(20, 44, 60, 60));
        p.drawLine(QPointF(50, 74), QPointF(50, 54));
        p.drawLine(QPointF(50, 74), QPointF(64, 82));
    }
    return image;
}

QString stateName(const char *family, int state)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(family)).arg(state, 2, 10, QLatin1Char('0'));
}

} // namespace

void addControlPictures(Pictures &out)
{
    const State pushStates[] = {State::Normal, State::Hover, State::Pressed};
    for (int i = 0; i < 3; ++i) {
        out[stateName("BtnS", i + 1)] = pushButton(72, 30, pushStates[i]);
        out[stateName("MacroS", i + 1)] = pushButton(110, 25, pushStates[i]);
        out[stateName("MacroBtnS", i + 1)] = pushButton(40, 25, pushStates[i]);
    }
    out[QStringLiteral("SetS_01")] = tab(State::Normal);
    out[QStringLiteral("SetS_02")] = tab(State::Selected);
    out[QStringLiteral("SetS_03")] = tab(State::Hover);
    out[QStringLiteral("KeyS_01")] = keyPlate(State::Normal);
    out[QStringLiteral("KeyS_02")] = keyPlate(State::Hover);
    out[QStringLiteral("WebS_01")] = webLink(State::Normal);
    out[QStringLiteral("WebS_02")] = webLink(State::Pressed);
    out[QStringLiteral("WebS_03")] = webLink(State::Hover);
    out[QStringLiteral("Col_F")] = colourFrame();
    out[QStringLiteral("Bar1_E")] = scaleSegment(true);
    out[QStringLiteral("Bar1_D")] = scaleSegment(false);
    out[QStringLiteral("Bar2_E")] = levelMarker(true);
    out[QStringLiteral("Bar2_D")] = levelMarker(false);
    out[QStringLiteral("RdS_E")] = optionIndicator(true);
    out[QStringLiteral("RdS_D")] = optionIndicator(false);
    out[QStringLiteral("LED_E")] = indicatorLight(true);
    out[QStringLiteral("LED_D")] = indicatorLight(false);
    for (int kind = 0; kind < 3; ++kind)
        out[QStringLiteral("MacroEvent_%1").arg(kind)] = eventIcon(kind);
    out[QStringLiteral("InsertDelayBase")] = insertBackdrop(false);
    out[QStringLiteral("InsertKeyBase")] = insertBackdrop(true);
}
