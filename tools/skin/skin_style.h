#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

// The look every picture of the skin shares: a graphite dark base, one hot
// red-orange accent, light text, soft rounded shapes.
namespace skin {

inline const QColor kBase(14, 16, 20);       // window ground
inline const QColor kPanel(22, 25, 31);      // raised areas
inline const QColor kCard(29, 33, 41);       // cards on the panels
inline const QColor kCardHigh(38, 43, 53);   // hovered controls
inline const QColor kLine(48, 54, 66);       // hairlines and borders
inline const QColor kText(232, 236, 242);    // headings
inline const QColor kTextDim(140, 150, 166); // secondary text
inline const QColor kAccent(255, 74, 40);    // the one accent colour
inline const QColor kAccentLight(255, 128, 84);
inline const QColor kAccentDeep(176, 38, 20);

// Pixels of exactly this colour are see-through in the main window and both
// dialogs; black is the busy window's see-through colour.
inline const QColor kWindowKey(128, 0, 0);

// An empty, fully transparent picture.
// A transparent picture of width x height, at the drawing scale: drawn on in
// those units, it holds scale times as many pixels each way.
QImage canvas(int width, int height);
// The scale canvas() draws at: 1 for the pictures, 2 for their "@2x" twins
// that a display of twice the density takes instead.
void setDrawingScale(int scale);
int drawingScale();
// A picture's size in drawing units, whatever its scale.
int logicalWidth(const QImage &image);
int logicalHeight(const QImage &image);

// The skin's sans font at a pixel size: DejaVu Sans for Latin and Cyrillic,
// Noto Sans CJK for Chinese.
QFont font(int pixelSize, bool bold = false);

// Colour with a changed alpha (0-255).
QColor withAlpha(QColor colour, int alpha);

// Rounded rectangle of radius r on half-pixel edges, so one-pixel borders
// stay crisp.
QPainterPath rounded(const QRectF &rect, qreal radius);

// A raised control: vertical gradient fill, a border, a faint top highlight.
void drawControl(QPainter &p, const QRectF &rect, qreal radius, QColor top, QColor bottom,
                 QColor border);

// A soft glow: the shape's outline blurred outward in `colour`.
void drawGlow(QPainter &p, const QPainterPath &shape, QColor colour, int spread);

// Text in a rectangle with Qt's alignment flags, elided when it does not fit.
void drawText(QPainter &p, const QRectF &rect, int flags, const QString &text, const QFont &font,
              QColor colour);

// Keeps pictures that are laid over the window from carrying the window's
// see-through colour by accident: every pixel of exactly RGB 128, 0, 0 is
// nudged to 129, 0, 0.
void avoidWindowKey(QImage &image);

// Shapes a window picture drawn on a transparent canvas: pixels less than half
// covered become exactly `key` (opaque); the others are made opaque over
// `edge`, so the outline has no fringe of the key colour.
void applyWindowShape(QImage &image, QColor key, QColor edge);

} // namespace skin
