#pragma once

#include "buttons/menu_layout.h"
#include "ui/skin_label.h"

#include <QFrame>
#include <QHash>
#include <QList>

class QListWidget;

// One entry of a function menu: a label 24 pixels high whose tag is either a
// sub-menu number or a choice number. It paints its own background while
// highlighted, so the panel colour shows through otherwise.
class MenuEntryLabel : public SkinLabel
{
    Q_OBJECT
public:
    MenuEntryLabel(const MenuEntry &entry, MenuId menu, const QRect &geometry, QWidget *parent);

    int tag() const { return m_tag; }
    MenuId menu() const { return m_menu; }
    bool opensSubMenu() const { return m_opensSubMenu; }

    // Highlighted: opaque teal with white text; otherwise transparent, black.
    void setHighlighted(bool highlighted);
    bool highlighted() const { return m_highlighted; }
    // The entry's text without its bullet prefix (a blank, the bullet, a blank).
    QString plainText() const;

    static const QColor kHighlight;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_tag;
    MenuId m_menu;
    bool m_opensSubMenu;
    bool m_highlighted = false;
};

// A borderless menu panel in the default panel colour, with its entries from
// the menu table and the ">>" arrows of the entries that open a further menu.
class MenuPanel : public QFrame
{
    Q_OBJECT
public:
    MenuPanel(MenuId menu, QSize size, QWidget *parent);

    MenuId menu() const { return m_menu; }
    const QList<MenuEntryLabel *> &entries() const { return m_entries; }

    static QString objectNameOf(MenuId menu);
    static const QColor kPanelColour;

private:
    MenuId m_menu;
    QList<MenuEntryLabel *> m_entries;
};

// The macro picker LB_Name: 164 x 100, rows 20 high, a vertical scroll bar.
QListWidget *createMacroPicker(QWidget *parent);
