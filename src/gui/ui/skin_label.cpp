#include "ui/skin_label.h"

#include <QFontInfo>
#include <QMouseEvent>
#include <QPainter>

SkinLabel::SkinLabel(const QString &name, QSize size, QWidget *parent, Qt::Alignment alignment)
    : QLabel(parent)
{
    setObjectName(name);
    resize(size);
    setAlignment(alignment);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setTextFormat(Qt::PlainText);
}

void SkinLabel::setTextColour(const QColor &colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    setPalette(palette);
}

QColor SkinLabel::textColour() const
{
    return palette().color(QPalette::WindowText);
}

void SkinLabel::setPointSize(int points)
{
    if (points <= 0)
        return;
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
}

void SkinLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    emit entered();
}

void SkinLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    emit left();
}

void SkinLabel::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button());
}

void SkinLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (rect().contains(event->position().toPoint()))
        emit clicked(event->button());
}

void SkinLabel::paintEvent(QPaintEvent *event)
{
    const QString caption = text();
    QRect room = contentsRect();
    if ((alignment() & Qt::AlignLeft) && indent() > 0)
        room.setLeft(room.left() + indent());
    const int needed = fontMetrics().horizontalAdvance(caption);
    if (caption.isEmpty() || wordWrap() || needed <= room.width()) {
        QLabel::paintEvent(event);
        return;
    }
    constexpr int kSmallestPixels = 7;
    QFont smaller = font();
    int pixels = QFontInfo(smaller).pixelSize();
    while (pixels > kSmallestPixels) {
        --pixels;
        smaller.setPixelSize(pixels);
        if (QFontMetrics(smaller).horizontalAdvance(caption) <= room.width())
            break;
    }
    QPainter painter(this);
    painter.setFont(smaller);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    // Centred captions stay centred even when they still overflow.
    painter.drawText(room, int(alignment()) | Qt::TextDontClip, caption);
}
