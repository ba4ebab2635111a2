#include "x11_mouse_store.h"

#include "pointer_speed_scale.h"
#include "xinput2_functions.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstring>

namespace {

// X errors (a device unplugged between listing and asking) must not end the
// program through Xlib's default handler.
int ignoreXError(Display *, XErrorEvent *)
{
    return 0;
}

class ErrorTrap
{
public:
    explicit ErrorTrap(Display *display) : m_display(display)
    {
        m_previous = XSetErrorHandler(ignoreXError);
    }
    ~ErrorTrap()
    {
        XSync(m_display, False);
        XSetErrorHandler(m_previous);
    }
    ErrorTrap(const ErrorTrap &) = delete;
    ErrorTrap &operator=(const ErrorTrap &) = delete;

private:
    Display *m_display;
    int (*m_previous)(Display *, XErrorEvent *);
};

std::optional<int> decimal(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

std::unique_ptr<X11MouseStore> X11MouseStore::open(OwnMouseSettingsFile ownFile)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    int opcode = 0;
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 0;
    const XInput2Functions *xi = XInput2Functions::load();
    if (!xi || !XQueryExtension(display, "XInputExtension", &opcode, &event, &error) ||
        xi->queryVersion(display, &major, &minor) != Success) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::unique_ptr<X11MouseStore>(new X11MouseStore(display, std::move(ownFile)));
}

X11MouseStore::X11MouseStore(Display *display, OwnMouseSettingsFile ownFile)
    : DesktopMouseStore(std::move(ownFile)), m_display(display)
{
    // Only look the atoms up: a server without libinput has no such property.
    m_accelSpeedAtom = XInternAtom(m_display, "libinput Accel Speed", True);
    m_floatAtom = XInternAtom(m_display, "FLOAT", True);
    findLibinputPointers();
}

X11MouseStore::~X11MouseStore()
{
    XCloseDisplay(m_display);
}

void X11MouseStore::findLibinputPointers()
{
    m_libinputPointers.clear();
    if (m_accelSpeedAtom == None || m_floatAtom == None)
        return;
    ErrorTrap trap(m_display);
    int count = 0;
    const XInput2Functions *xi = XInput2Functions::load();
    XIDeviceInfo *devices = xi->queryDevice(m_display, XIAllDevices, &count);
    for (int i = 0; devices && i < count; ++i) {
        if (devices[i].use == XISlavePointer && readAccelSpeed(devices[i].deviceid))
            m_libinputPointers << devices[i].deviceid;
    }
    if (devices)
        xi->freeDeviceInfo(devices);
}

std::optional<float> X11MouseStore::readAccelSpeed(int device) const
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    const int status =
        XInput2Functions::load()->getProperty(m_display, device, m_accelSpeedAtom, 0, 1, False,
                                              AnyPropertyType, &type, &format, &items, &after,
                                              &data);
    std::optional<float> speed;
    if (status == Success && type == m_floatAtom && format == 32 && items >= 1 && data) {
        float value = 0;
        std::memcpy(&value, data, sizeof value); // XI2 hands 32-bit items over as they are
        speed = value;
    }
    if (data)
        XFree(data);
    return speed;
}

void X11MouseStore::setAccelSpeed(float speed)
{
    ErrorTrap trap(m_display);
    const XInput2Functions *xi = XInput2Functions::load();
    for (int device : std::as_const(m_libinputPointers)) {
        unsigned char data[sizeof(float)];
        std::memcpy(data, &speed, sizeof speed);
        xi->changeProperty(m_display, device, m_accelSpeedAtom, m_floatAtom, 32, PropModeReplace,
                           data, 1);
    }
}

X11MouseStore::PointerControl X11MouseStore::pointerControl() const
{
    PointerControl control;
    XGetPointerControl(m_display, &control.numerator, &control.denominator, &control.threshold);
    return control;
}

// The core pointer's multiplier read as the three acceleration values:
// no speed-up, double (1) or fourfold and more (2), both thresholds being
// the one X has.
X11MouseStore::Acceleration X11MouseStore::accelerationOf(const PointerControl &control)
{
    Acceleration a;
    a.threshold1 = control.threshold;
    a.threshold2 = control.threshold;
    if (control.denominator <= 0 || control.numerator <= control.denominator)
        a.speed = 0;
    else if (control.numerator >= 4 * control.denominator)
        a.speed = 2;
    else
        a.speed = 1;
    return a;
}

bool X11MouseStore::appliesToDesktop(MouseSetting setting) const
{
    return setting == MouseSetting::PointerSpeed && !m_libinputPointers.isEmpty();
}

bool X11MouseStore::desktopHolds(const QString &name) const
{
    if (name == mouse_value::MouseSensitivity)
        return !m_libinputPointers.isEmpty();
    return name == mouse_value::MouseSpeed || name == mouse_value::MouseThreshold1 ||
           name == mouse_value::MouseThreshold2;
}

std::optional<QString> X11MouseStore::readDesktop(const QString &name)
{
    if (name == mouse_value::MouseSensitivity) {
        std::optional<float> speed;
        {
            ErrorTrap trap(m_display);
            speed = readAccelSpeed(m_libinputPointers.value(0));
        }
        if (!speed)
            return std::nullopt;
        return QString::number(pointer_speed_scale::toSensitivity(*speed));
    }
    if (name == mouse_value::MouseSpeed) {
        // One reading serves all three values and the restore.
        m_readControl = pointerControl();
        m_reported = accelerationOf(m_readControl);
    }
    const Acceleration a = m_reported.value_or(accelerationOf(pointerControl()));
    if (name == mouse_value::MouseSpeed)
        return QString::number(a.speed);
    if (name == mouse_value::MouseThreshold1)
        return QString::number(a.threshold1);
    if (name == mouse_value::MouseThreshold2)
        return QString::number(a.threshold2);
    return std::nullopt;
}

bool X11MouseStore::writeDesktop(const QString &name, const QString &text)
{
    const std::optional<int> value = decimal(text);
    if (!value || name != mouse_value::MouseSensitivity)
        return false; // the acceleration values are only ever applied
    applyPointerSpeed(*value);
    return true;
}

void X11MouseStore::applyPointerSpeed(int mouseSensitivity)
{
    if (m_libinputPointers.isEmpty())
        return;
    {
        ErrorTrap trap(m_display);
        const std::optional<float> now = readAccelSpeed(m_libinputPointers.first());
        // A speed that already lights this step stays as the user set it.
        if (now && pointer_speed_scale::toSensitivity(*now) == mouseSensitivity)
            return;
    }
    setAccelSpeed(float(pointer_speed_scale::toDesktop(mouseSensitivity)));
}

void X11MouseStore::applyAcceleration(int threshold1, int threshold2, int mouseSpeed)
{
    // libinput ignores the core pointer control; only other drivers take it.
    if (!m_libinputPointers.isEmpty())
        return;
    const Acceleration wanted{threshold1, threshold2, mouseSpeed};
    PointerControl control;
    if (m_reported && *m_reported == wanted) {
        control = m_readControl;
    } else if (mouseSpeed <= 0) {
        control = {1, 1, -1}; // no speed-up; the threshold stays as it is
    } else if (mouseSpeed == 1) {
        control = {2, 1, std::max(threshold1, 0)};
    } else {
        control = {4, 1, std::max(threshold2, 0)};
    }
    ErrorTrap trap(m_display);
    // A threshold of -1 would mean the server's default, not "unchanged".
    const bool setThreshold = control.threshold >= 0;
    XChangePointerControl(m_display, True, setThreshold, control.numerator, control.denominator,
                          std::max(control.threshold, 0));
}

void X11MouseStore::finishApply()
{
    XFlush(m_display);
}
