#pragma once

#include <QString>

#include <QStringList>

#include <iterator>
#include <optional>

// Every editable setting's limits, stated once. The page models check
// against them, the command line builds its parsers, help and messages from
// them, and the window creates its families of like controls from the
// counts, so none of these numbers is written anywhere else.

// The whole numbers a setting takes: `first`-`last`, and where the limits
// keep one more value below them, that one too (a repeat of 0 or 2-15). A
// setting that takes just two values has `eitherEnd` (a report rate of 1000
// or 500).
struct ValueRange
{
    int first = 0;
    int last = 0;
    std::optional<int> alsoAllowed;
    bool eitherEnd = false;

    constexpr bool contains(int value) const
    {
        if (eitherEnd)
            return value == first || value == last;
        return (value >= first && value <= last) || (alsoAllowed && value == *alsoAllowed);
    }
    // As the messages write it: "1-4", "0 or 2-15", "1000 or 500".
    QString text() const;
    // Each value, in order: what a shell completes.
    QStringList values() const;
};

// How many of a thing there are, and how many of them may be chosen.
struct SettingCount
{
    int count = 0;
    int fewest = 0; // chosen at least / at most, where a choice is made
    int most = 0;
    constexpr ValueRange numbers() const { return {1, count, {}, false}; }
    // "one to three", for the messages that spell the bounds of a choice.
    QString choiceText() const;
};

// One setting the user edits: its name as the command line spells it, the
// values it takes, its unit where messages name one, and the language text
// that captions it on the page where there is one.
struct SettingDeclaration
{
    const char *name;
    ValueRange range;
    const char *unit = "";
    const char *textKey = "";
};

namespace settings {

// --- counts ---------------------------------------------------------------
inline constexpr int kProfileCount = 3;       // main, switch, fixed
inline constexpr int kButtonsPerProfile = 12; // Key1-Key12
// Buttons 1 to this one take only left, right or middle, exchanged among
// them; the others take any function.
inline constexpr int kMouseButtonCount = 3;
// Eight DPI levels, two to four of them selected (one slot each).
inline constexpr SettingCount kDpiLevels{8, 2, 4};
inline constexpr int kFireKeyCount = 4;
// Four fire modes, one to three of them cycled by a Fire Mode button.
inline constexpr SettingCount kFireModes{4, 1, 3};
inline constexpr int kScaleStepCount = 10; // breathing and desktop scales

// --- values -----------------------------------------------------------------
inline constexpr SettingDeclaration kButton{"button", {1, kButtonsPerProfile, {}, false}};
inline constexpr SettingDeclaration kFireKey{"fire key", {1, kFireKeyCount, {}, false}};
inline constexpr SettingDeclaration kFireMode{"fire mode", kFireModes.numbers()};
// Repeat and delay keep 0 and 2 up to their maximum; 1 becomes 2 and more
// than the maximum becomes the maximum when the page applies its limits.
inline constexpr SettingDeclaration kRepeat{"repeat", {2, 15, 0, false}};
inline constexpr SettingDeclaration kDelay{"delay", {2, 2000, 0, false}, "ms"};
inline constexpr SettingDeclaration kLightStep{"step", {1, kScaleStepCount, {}, false}};
inline constexpr SettingDeclaration kColourMode{"colour-mode", {1, 2, {}, false}};

// The breathing light's modes and time scales as the command line names
// them, in the order of the page model's LightMode and Scale; a scale's step
// is its name followed by "Step" in the JSON form ("offStep").
inline constexpr const char *kLightModeNames[] = {"random", "colorful", "custom"};
struct LightScaleDeclaration
{
    const char *name;
    const char *caption;
};
inline constexpr LightScaleDeclaration kLightScales[] = {{"off", "Off time step."},
                                                         {"raise", "Raise time step."},
                                                         {"on", "On time step."},
                                                         {"fall", "Fall time step."}};
inline constexpr int kLightScaleCount = int(std::size(kLightScales));
QStringList lightModeNames();

// "a, b or c", as the messages list the values to choose from.
QString alternatives(const QStringList &values);

// Whether buttons 1-3's rule holds for `button` (1-based).
constexpr bool takesOnlyMouseButtons(int button)
{
    return button >= 1 && button <= kMouseButtonCount;
}

} // namespace settings
