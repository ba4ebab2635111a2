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
    if (m_fromSkin && pictureName == m_pictureName)
        return;
    // Decoded when first drawn: the pictures of hidden pages cost nothing
    // until their page opens, so the first frame shows sooner.
    m_pictureName = pictureName;
    m_pixmap = QPixmap();
    m_fromSkin = true;
    update();
}

void SkinPicture::setPixmap(const QPixmap &pixmap)
{
    m_pictureName.clear();
    m_pixmap = pixmap;
    m_fromSkin = false;
    update();
}

void SkinPicture::setStretched(bool stretched)
{
    m_stretched = stretched;
    update();
}

void SkinPicture::paintEvent(QPaintEvent *)
{
    if (m_fromSkin && m_pixmap.isNull() && !m_pictureName.isEmpty())
        m_pixmap = skinPixmap(m_pictureName);
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
