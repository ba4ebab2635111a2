#pragma once

#include <QPoint>

// Where the layout places the elements that follow from one key: rows of
// steps, captions beside their pictures, buttons stacked under one another.
// All positions are absolute in the 800 x 600 window.
namespace layout_geometry {

// Ten-step scales (pointer, double-click and wheel speed, the four light
// times): step 1-10 every 24 pixels, its label 4 left of and 8 below it.
constexpr QPoint scaleStepPicture(QPoint origin, int step)
{
    return {origin.x() + 24 * (step - 1), origin.y()};
}
constexpr QPoint scaleStepLabel(QPoint origin, int step)
{
    return scaleStepPicture(origin, step) + QPoint(-4, 8);
}

// Eight DPI steps every 29 pixels, captions 6 left of and 28 above them.
constexpr QPoint dpiStepPicture(QPoint origin, int step)
{
    return {origin.x() + 29 * (step - 1), origin.y()};
}
constexpr QPoint dpiStepLabel(QPoint origin, int step)
{
    return dpiStepPicture(origin, step) + QPoint(-6, -28);
}

// Caption of a report-rate or light-mode choice.
constexpr QPoint choiceLabel(QPoint picture)
{
    return picture + QPoint(-4, -2);
}
// Caption of a light colour-mode choice.
constexpr QPoint colourModeLabel(QPoint picture)
{
    return picture + QPoint(-4, -4);
}

// "Check your device" line of the no-device page, under the error text.
constexpr QPoint checkDeviceLabel(QPoint errorText)
{
    return errorText + QPoint(0, 50);
}

// Delay edit of a fire key, under its repeat edit.
constexpr QPoint fireDelayEdit(QPoint repeatEdit)
{
    return repeatEdit + QPoint(0, 22);
}

// Macro buttons stacked every 26 pixels: row 0-6 of the New column
// (New, Start, Clear, ExportOne, Export, ImportOne, Import), or row 0-1 of
// the Delete column (Delete, Insert).
constexpr QPoint macroButtonRow(QPoint origin, int row)
{
    return {origin.x(), origin.y() + 26 * row};
}

// Delay option row 0-2: its indicator, and its clickable text 2 pixels left.
constexpr QPoint delayOptionIndicator(QPoint origin, int row)
{
    return {origin.x(), origin.y() + 23 * row};
}
constexpr QPoint delayOptionText(QPoint origin, int row)
{
    return delayOptionIndicator(origin, row) + QPoint(-2, 0);
}

// Caption and unit around the insert-delay edit.
constexpr QPoint insertDelayCaption(QPoint edit)
{
    return edit + QPoint(-74, 2);
}
constexpr QPoint insertDelayUnit(QPoint edit)
{
    return edit + QPoint(44, 2);
}

// Cancel beside OK in the insert group.
constexpr QPoint insertCancelButton(QPoint ok)
{
    return ok + QPoint(46, 0);
}

} // namespace layout_geometry
