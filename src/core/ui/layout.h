#pragma once

#include "ui/ini_text.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <optional>

// An RGB colour of the skin, each component 0-255.
struct LayoutColour
{
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const LayoutColour &, const LayoutColour &) = default;
};

// What an element's enable flag decided: shown (with the position it is moved
// to) or hidden (its position untouched, so none is read).
struct LayoutToggle
{
    bool shown = false;
    std::optional<QPoint> position;
};

// Typed reads from a layout section. Every value is a decimal integer; the
// first missing or non-integer value stops the reader, and every later read
// gives nothing, so a layout is applied up to the offending key and no further.
class LayoutReader
{
public:
    explicit LayoutReader(IniSection section) : m_section(std::move(section)) {}

    std::optional<int> integer(const QString &key);
    // <prefix>_R, <prefix>_G, <prefix>_B; components outside 0-255 are clamped.
    std::optional<LayoutColour> colour(const QString &prefix);
    // <prefix>_X, <prefix>_Y.
    std::optional<QPoint> position(const QString &prefix);
    // <prefix>_Enable, and when it is exactly 1, <prefix>_X and <prefix>_Y.
    std::optional<LayoutToggle> toggle(const QString &prefix);
    // A value that is not a number (the web address); empty when absent.
    QString text(const QString &key) const;

    bool failed() const { return m_failed; }
    QString failedKey() const { return m_failedKey; }
    // The offending text: the value as written, empty for a missing key.
    QString failedText() const { return m_failedText; }
    // The message shown to the user: "'<text>' is not a valid integer value".
    QString failureMessage() const;

private:
    IniSection m_section;
    bool m_failed = false;
    QString m_failedKey;
    QString m_failedText;
};

// Strict decimal integer: optional sign and digits, within 32 bits.
std::optional<int> parseLayoutInteger(QStringView text);

// The items of a page layout, in the order they are applied.
enum class LayoutItemKind
{
    Integer,  // the key itself: font sizes, MacroNameHeight
    Colour,   // <name>_R/_G/_B
    Position, // <name>_X/_Y
    Toggle,   // <name>_Enable, then _X/_Y when shown
};

struct LayoutItem
{
    LayoutItemKind kind = LayoutItemKind::Integer;
    QString name;
};

const QList<LayoutItem> &pageLayoutItems();

struct LayoutValue
{
    LayoutItem item;
    int number = 0;      // Integer
    LayoutColour colour; // Colour
    LayoutToggle toggle; // Toggle
    QPoint position;     // Position
};

// A page layout as read: the values in the order they are applied, up to the
// first failure.
struct PageLayout
{
    QList<LayoutValue> values;
    QString failure; // message for the user; empty when every item was read

    bool complete() const { return failure.isEmpty(); }
    const LayoutValue *find(QStringView name) const;
    std::optional<int> number(QStringView name) const;
    std::optional<LayoutColour> colour(QStringView name) const;
    std::optional<QPoint> position(QStringView name) const;
    std::optional<LayoutToggle> toggle(QStringView name) const;
};

PageLayout readPageLayout(const IniSection &section);

// The values that other parts of the program keep after a layout is applied.
struct LayoutStoredValues
{
    std::optional<LayoutColour> selected;    // Color_D_Selected
    std::optional<LayoutColour> notSelected; // Color_D_notSelected
    std::optional<LayoutColour> macroText;   // Color_F
    std::optional<int> macroNameHeight;      // MacroNameHeight
};

LayoutStoredValues storedLayoutValues(const PageLayout &layout);

// Layout n goes with language n: resource ":/layout/ORG<n>", section "org<n>".
QString layoutResourcePath(int languageNumber);
QString layoutSectionName(int languageNumber);

// The layout section of a language from the embedded resources; empty for an
// unknown number or a missing resource.
IniSection openLayoutSection(int languageNumber);
PageLayout openPageLayout(int languageNumber);

// The web-link button of the general layout (":/layout/ORG", section "org").
struct WebLinkLayout
{
    QString address;
    std::optional<QPoint> position; // of the web picture
    QString failure;                // as for a page layout
};

WebLinkLayout readWebLink(const IniSection &section);
IniSection openWebLinkSection();
WebLinkLayout openWebLink();
