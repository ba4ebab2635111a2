#include "input/input_capture_factory.h"

#include "input/window_input_capture.h"
#include "input/x11_input_capture.h"

#include <QGuiApplication>

InputCaptureKind chooseInputCapture(const QString &platformName, bool x11Reachable)
{
    const bool onX11Screen = platformName == QLatin1String("xcb");
    return onX11Screen && x11Reachable ? InputCaptureKind::X11 : InputCaptureKind::Window;
}

std::unique_ptr<InputCapture> createInputCapture()
{
    const QString platform = QGuiApplication::platformName();
    // Only ask the X server when the answer can matter.
    const bool x11Reachable = platform == QLatin1String("xcb") && X11InputCapture::isAvailable();
    if (chooseInputCapture(platform, x11Reachable) == InputCaptureKind::X11)
        return std::make_unique<X11InputCapture>();
    return std::make_unique<WindowInputCapture>();
}
