#pragma once

#include "macros/macro_format.h"

#include <QObject>

class MacroRecorder;

// Where the recorder's key and mouse-button events come from. A capture listens
// only between start() and stop(): nothing is captured, queued or kept outside
// that span, and an event still on its way when stop() returns is dropped.
// Events are delivered on the thread the capture object lives in (the UI
// thread), in the order they happened.
class InputCapture : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Begins listening; false when the source cannot be reached (nothing is
    // captured then). Starting a running capture changes nothing.
    virtual bool start() = 0;
    // Stops listening; no event is delivered after it returns.
    virtual void stop() = 0;
    virtual bool isCapturing() const = 0;
    // True when keys and buttons meant for other applications are captured too;
    // false when only the program's own windows are heard.
    virtual bool isSystemWide() const = 0;

signals:
    // virtualKey is a Windows virtual-key code (0 for a key without one); key
    // repeats arrive as further downs.
    void keyEvent(int virtualKey, bool pressed);
    void mouseButtonEvent(MacroMouseButton button, bool pressed);
};

// The language key of the macro page's line that says how far a recording hears:
// "Str440" (this window only) or "Str441" (the whole desktop).
QString captureScopeTextKey(const InputCapture &capture);

// Feeds a capture's events to a recorder: keys through its keyboard hook,
// buttons through mouseButtonEvent. When the recorder stops by itself (its key
// limit, a full block) the capture stops with it. Starting and the Stop button
// stay with the caller, who stops the capture before the recorder so that no
// event arrives after the macro is stored. The connections live as long as both do.
void connectCaptureToRecorder(InputCapture &capture, MacroRecorder &recorder);
