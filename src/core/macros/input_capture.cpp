#include "macros/input_capture.h"

#include "macros/macro_recorder.h"

void connectCaptureToRecorder(InputCapture &capture, MacroRecorder &recorder)
{
    QObject::connect(&capture, &InputCapture::keyEvent, &recorder,
                     [&recorder](int virtualKey, bool pressed) {
                         TKeyboardHook &hook = recorder.keyboardHook();
                         if (pressed)
                             hook.keyDown(virtualKey);
                         else
                             hook.keyUp(virtualKey);
                     });
    QObject::connect(&capture, &InputCapture::mouseButtonEvent, &recorder,
                     &MacroRecorder::mouseButtonEvent);
    QObject::connect(&recorder, &MacroRecorder::recordingChanged, &capture, [&capture, &recorder] {
        if (!recorder.isRecording())
            capture.stop();
    });
}

QString captureScopeTextKey(const InputCapture &capture)
{
    return capture.isSystemWide() ? QStringLiteral("Str441") : QStringLiteral("Str440");
}
