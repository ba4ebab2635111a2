#include "ui/skin_label.h"

#include <QMouseEvent>

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
