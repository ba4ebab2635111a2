#pragma once

#include "ui/layout.h"

#include <QColor>
#include <QUrl>

class Configuration;
class SkinElementSet;
class SkinSignals;

// The layout values other pages use after a layout was applied: the DPI and
// fire-mode marking colours, the macro-page text colour and the macro-name
// row height.
struct SkinStoredValues
{
    QColor selected;
    QColor notSelected;
    QColor macroText;
    int macroNameHeight = 18;
};

// ApplyWebLink and ApplyLayout: places, sizes, colours and shows or hides
// the elements from the embedded layout texts, and keeps the values other
// parts read later. A bad value brings a message (messageRequested).
class SkinLayout
{
public:
    SkinLayout(SkinElementSet &elements, const Configuration &configuration, SkinSignals &events);

    bool applyWebLink(const WebLinkLayout &link); // false (and a message) on a bad value
    bool applyLayout(int language);               // false (and a message) on a bad value
    // The values of a layout already read, in order; a layout that stopped
    // at a bad value is applied up to it and its message shown.
    bool applyPageLayout(const PageLayout &layout);
    // ReloadPagePictures: the background and the current page in `language`.
    void reloadPagePictures(int language);
    // Item height of LB_MacroName from the stored layout value.
    void applyMacroNameHeight();

    const SkinStoredValues &storedValues() const { return m_stored; }
    QUrl webAddress() const { return m_webAddress; }
    int dpiPointSize() const { return m_dpiPointSize; } // Size_D of the layout applied last

private:
    void applyLayoutValue(const LayoutValue &value);
    void applyFontSize(const QString &group, int points);
    void applyColour(const QString &name, const QColor &colour);
    void applyToggle(const QString &name, const LayoutToggle &toggle);
    void applyPosition(const QString &name, QPoint at);
    void applyMacroPosition(const QString &name, QPoint at);
    void moveTo(const QString &element, QPoint at);
    void moveButton(const QString &label, QPoint at); // the label and its picture

    SkinElementSet &m_elements;
    const Configuration &m_configuration;
    SkinSignals &m_events;
    SkinStoredValues m_stored;
    QUrl m_webAddress;
    int m_dpiPointSize = 0;
};
