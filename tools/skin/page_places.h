#pragma once

#include "ui/layout.h"

#include <QPoint>
#include <QString>

// Where the layout of one language puts the elements that the page pictures
// draw around (section titles, leader lines), read from the embedded layout
// resources with the program's own reader.
class PagePlaces
{
public:
    explicit PagePlaces(int language);

    // Position of a Position or Toggle item; (-1000, -1000) when absent.
    QPoint at(const QString &name) const;
    // Position relative to a page picture's top-left corner.
    QPoint onPage(const QString &name, int page) const;
    // A Toggle item that the layout shows.
    bool shown(const QString &name) const;

private:
    PageLayout m_layout;
};
