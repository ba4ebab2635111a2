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

QRect SkinLabel::captionRoom() const
{
    QRect room = contentsRect();
    if ((alignment() & Qt::AlignLeft) && indent() > 0)
        room.setLeft(room.left() + indent());
    return room;
}

int SkinLabel::drawnPixelSize() const
{
    const QString caption = text();
    const int room = captionRoom().width();
    int pixels = QFontInfo(font()).pixelSize();
    if (caption.isEmpty() || wordWrap() || fontMetrics().horizontalAdvance(caption) <= room)
        return pixels;
    QFont smaller = font();
    while (pixels > kSmallestPixels) {
        --pixels;
        smaller.setPixelSize(pixels);
        if (QFontMetrics(smaller).horizontalAdvance(caption) <= room)
            break;
    }
    return pixels;
}

void SkinLabel::paintEvent(QPaintEvent *event)
{
    const QString caption = text();
    const int pixels = drawnPixelSize();
    if (pixels == QFontInfo(font()).pixelSize()) {
        QLabel::paintEvent(event);
        return;
    }
    const QRect room = captionRoom();
    QFont smaller = font();
    smaller.setPixelSize(pixels);
    QPainter painter(this);
    painter.setFont(smaller);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    // Centred captions stay centred even when they still overflow.
    painter.drawText(room, int(alignment()) | Qt::TextDontClip, caption);
}
