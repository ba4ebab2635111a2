#pragma once

#include <QColor>
#include <QLabel>

// A transparent text label of the skin, lying on a picture of its own. It
// draws only its caption (font size and colour from the layout) and reports
// the pointer entering, leaving, pressing and clicking, which the hover
// families and the pages turn into picture changes and actions. A label
// without a caption (the cover labels) still takes every click in its
// rectangle, so whatever lies behind it cannot be used.
class SkinLabel : public QLabel
{
    Q_OBJECT
public:
    SkinLabel(const QString &name, QSize size, QWidget *parent,
              Qt::Alignment alignment = Qt::AlignCenter);

    void setTextColour(const QColor &colour);
    QColor textColour() const;
    // Font size in points, the family stays the desktop's sans font.
    void setPointSize(int points);
    // The pixel size the caption is drawn with: the font's, or smaller where
    // the caption would not fit otherwise (never below kSmallestPixels).
    int drawnPixelSize() const;
    static constexpr int kSmallestPixels = 7;

signals:
    void entered();
    void left();
    void pressed(Qt::MouseButton button);
    void clicked(Qt::MouseButton button);

protected:
    // A caption wider than the label is drawn smaller until it fits, so a
    // long word of another language stays whole on its button.
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRect captionRoom() const;
};
