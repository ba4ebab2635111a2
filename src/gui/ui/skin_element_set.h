#pragma once

#include <QHash>
#include <QString>

class QWidget;
class SkinLabel;
class SkinPicture;

// The named elements of the client area, built from the element tables and
// found again by name. Elements other parts of the window add later (the
// menus) are found by name too.
class SkinElementSet
{
public:
    // Creates every element on `client` (which should be 800 x 600).
    explicit SkinElementSet(QWidget *client);

    QWidget *client() const { return m_client; }
    // An element by name, nullptr when absent.
    QWidget *find(const QString &name) const;
    template <typename T = QWidget> T *element(const QString &name) const
    {
        return qobject_cast<T *>(find(name));
    }
    SkinPicture *picture(const QString &name) const;
    SkinLabel *label(const QString &name) const;
    // Shows `pictureName` on the picture element `element`, if there is one.
    void setPicture(const QString &element, const QString &pictureName);

    // The pictures of LoadSkinPictures: language one's background and pages,
    // every button in its resting state, the Main tab and language one marked.
    // The profile page picture only when a profile page is the current page.
    void loadStartPictures(bool profilePage);

private:
    QWidget *m_client;
    QHash<QString, QWidget *> m_elements;
};
