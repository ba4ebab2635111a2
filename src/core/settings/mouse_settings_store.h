#pragma once

#include <QString>

#include <optional>

// The three desktop mouse settings the advanced page sets.
enum class MouseSetting
{
    PointerSpeed,
    DoubleClick,
    WheelLines
};

// Names of the values a store holds. Every value is decimal text; what a
// store does with a name it has no place for is its own business.
namespace mouse_value {
inline const QString MouseSensitivity = QStringLiteral("MouseSensitivity");
inline const QString MouseSpeed = QStringLiteral("MouseSpeed");
inline const QString MouseThreshold1 = QStringLiteral("MouseThreshold1");
inline const QString MouseThreshold2 = QStringLiteral("MouseThreshold2");
inline const QString DoubleClickSpeed = QStringLiteral("DoubleClickSpeed");
inline const QString WheelScrollLines = QStringLiteral("WheelScrollLines");
} // namespace mouse_value

// Where the user's mouse settings live: two groups of named values (the
// mouse group with pointer speed, acceleration and double-click time, the
// desktop group with the wheel lines), read and written as decimal text,
// and the four calls that make the running desktop take them.
class MouseSettingsStore
{
public:
    enum class Group
    {
        Mouse,
        Desktop
    };

    // Which store this is, for the line the advanced page shows.
    enum class Kind
    {
        ProgramOnly, // the program's own settings file, nothing else
        Gnome,
        Kde,
        X11
    };

    virtual ~MouseSettingsStore() = default;

    virtual Kind kind() const = 0;
    // False for a setting the desktop behind this store cannot take; such
    // a value is still kept, and the program applies it to itself.
    virtual bool appliesToDesktop(MouseSetting setting) const = 0;

    // Whether the group exists; opening never creates it.
    virtual bool openGroup(Group group) = 0;
    // The value's text, or nothing when it does not exist.
    virtual std::optional<QString> readValue(Group group, const QString &name) = 0;
    virtual bool writeValue(Group group, const QString &name, const QString &text) = 0;

    // Applying to the running desktop, called in this order after the
    // writes; the page ignores their results.
    virtual void applyPointerSpeed(int mouseSensitivity) = 0;
    virtual void applyAcceleration(int threshold1, int threshold2, int mouseSpeed) = 0;
    virtual void applyDoubleClickTime(int milliseconds) = 0;
    virtual void applyWheelScrollLines(int lines) = 0;
    // After the four calls, so a store can tell the desktop once.
    virtual void finishApply() {}
};
