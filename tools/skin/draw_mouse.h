#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class QPainter;
class QColor;

// The mouse drawn from above: the detailed illustration of the button page
// and the plain glyph of the logo and the application icon. Boxes are about
// 1 : 1.9 (width : height).
QPainterPath mouseOutline(const QRectF &box);
void drawMouseIllustration(QPainter &p, const QRectF &box);
void drawMouseGlyph(QPainter &p, const QRectF &box, const QColor &colour);

// Where button 1-12 sits on the illustration: the point its leader line ends.
QPointF mouseButtonAnchor(int button, const QRectF &box);
