#pragma once

#include "macros/input_capture.h"

#include <QString>

#include <memory>

enum class InputCaptureKind
{
    X11,   // system-wide through XInput2
    Window // the program's own windows only
};

// Which capture serves a program running on the given Qt platform plugin
// ("xcb", "wayland", "offscreen" ...) when an X server with XInput 2 is, or is
// not, reachable. On Wayland an X server (XWayland) hears only X clients and
// would miss the program's own window, and a program without a screen
// (offscreen, minimal) must not listen to the desktop it happens to run on:
// both take the in-window capture.
InputCaptureKind chooseInputCapture(const QString &platformName, bool x11Reachable);

// The capture for this running application, by its platform and $DISPLAY.
// The caller owns it (it has no QObject parent) and keeps it on the UI thread.
std::unique_ptr<InputCapture> createInputCapture();
