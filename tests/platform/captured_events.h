#pragma once

#include "macros/input_capture.h"

#include <QList>

#include <tuple>

using Event = std::tuple<bool, int, bool>; // key (or button), code, pressed

// Appends every key and mouse-button event `capture` reports to `events`, in
// order, for as long as `context` lives.
inline void recordEvents(InputCapture &capture, QObject *context, QList<Event> &events)
{
    QObject::connect(&capture, &InputCapture::keyEvent, context, [&events](int vk, bool pressed) {
        events.append({true, vk, pressed});
    });
    QObject::connect(&capture, &InputCapture::mouseButtonEvent, context,
                     [&events](MacroMouseButton button, bool pressed) {
                         events.append({false, int(button), pressed});
                     });
}
