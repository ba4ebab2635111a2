#include "ui/skin_picture.h"

#include "ui/skin_images.h"

#include <QMouseEvent>
#include <QPainter>

SkinPicture::SkinPicture(const QString &name, QSize size, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    resize(size);
    setAttribute(Qt::WA_TranslucentBackground);
}

void SkinPicture::setPicture(const QString &pictureName)
{
    if (pictureName == m_pictureName && !m_pixmap.isNull())
        return;
    m_pictureName = pictureName;
    m_pixmap = skinPixmap(pictureName);
    update();
}

void SkinPicture::setPixmap(const QPixmap &pixmap)
{
    m_pictureName.clear();
    m_pixmap = pixmap;
    update();
}

void SkinPicture::setStretched(bool stretched)
{
    m_stretched = stretched;
    update();
}

void SkinPicture::paintEvent(QPaintEvent *)
{
    if (m_pixmap.isNull())
        return;
    QPainter painter(this);
    if (m_stretched)
        painter.drawPixmap(rect(), m_pixmap);
    else
        painter.drawPixmap(0, 0, m_pixmap);
}

void SkinPicture::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    emit entered();
}

void SkinPicture::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    emit left();
}

void SkinPicture::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button());
}

void SkinPicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (rect().contains(event->position().toPoint()))
        emit clicked(event->button());
}
