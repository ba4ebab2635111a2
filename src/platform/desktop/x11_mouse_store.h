#pragma once

#include "desktop_mouse_store.h"

#include <QList>

#include <memory>

// Xlib's own declaration of the type, repeated so Xlib stays out of this header.
typedef struct _XDisplay Display; // NOLINT(bugprone-reserved-identifier,modernize-use-using)

// A plain X11 session: pointer speed through the "libinput Accel Speed"
// property (-1 ... 1) of every pointer that has it, and the acceleration
// values through the core pointer control for drivers that honour it
// (libinput ignores it). Double-click time and wheel lines have no place in
// X11; they stay in the program's own file.
class X11MouseStore final : public DesktopMouseStore
{
public:
    // Null without a display or without XInput 2.
    static std::unique_ptr<X11MouseStore> open(OwnMouseSettingsFile ownFile);
    ~X11MouseStore() override;

    Kind kind() const override { return Kind::X11; }
    bool appliesToDesktop(MouseSetting setting) const override;

    void applyPointerSpeed(int mouseSensitivity) override;
    void applyAcceleration(int threshold1, int threshold2, int mouseSpeed) override;
    void finishApply() override;

    // The pointers that carry the libinput speed property.
    const QList<int> &libinputPointers() const { return m_libinputPointers; }

protected:
    bool desktopHolds(const QString &name) const override;
    std::optional<QString> readDesktop(const QString &name) override;
    bool writeDesktop(const QString &name, const QString &text) override;

private:
    struct PointerControl
    {
        int numerator = 1;
        int denominator = 1;
        int threshold = 0;
    };
    struct Acceleration
    {
        int threshold1 = 0;
        int threshold2 = 0;
        int speed = 0;
        friend bool operator==(const Acceleration &, const Acceleration &) = default;
    };

    X11MouseStore(Display *display, OwnMouseSettingsFile ownFile);
    void findLibinputPointers();
    std::optional<float> readAccelSpeed(int device) const;
    void setAccelSpeed(float speed);
    PointerControl pointerControl() const;
    static Acceleration accelerationOf(const PointerControl &control);

    Display *m_display;
    unsigned long m_accelSpeedAtom = 0;
    unsigned long m_floatAtom = 0;
    QList<int> m_libinputPointers;
    // The pointer control as last read, so values handed back unchanged
    // restore it exactly rather than through the coarser mapping.
    PointerControl m_readControl;
    std::optional<Acceleration> m_reported;
};
