#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

// A picture of the skin: shows one named picture at the widget's size and
// can say which one it shows (the window's tests ask it). Like every element
// of the skin it reports the pointer entering, leaving and pressing, so the
// hover families can work on pictures and labels alike.
class SkinPicture : public QWidget
{
    Q_OBJECT
public:
    // `name` is the objectName ("Img_Main"); `size` its designed size.
    SkinPicture(const QString &name, QSize size, QWidget *parent);

    // Shows the named skin picture ("SetS_02"); the widget keeps its size.
    void setPicture(const QString &pictureName);
    QString pictureName() const { return m_pictureName; }
    // Shows a picture that is not a named resource (a colour swatch, a
    // rendered preview); pictureName() is then empty.
    void setPixmap(const QPixmap &pixmap);
    // Stretch the picture to the widget (the default) or draw it at its own size.
    void setStretched(bool stretched);

signals:
    void entered();
    void left();
    void pressed(Qt::MouseButton button);
    void clicked(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_pictureName;
    QPixmap m_pixmap;
    bool m_stretched = true;
    bool m_fromSkin = false; // m_pixmap is (to be) the named skin picture
};
