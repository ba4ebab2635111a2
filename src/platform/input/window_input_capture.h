#pragma once

#include "macros/input_capture.h"

// Hears keys and mouse buttons only inside the program's own windows: an event
// filter on the application that takes each event as it reaches a window
// (QWindow), before the window hands it to its widgets, so every key and button
// is seen once whichever widget gets it. Serves where no system-wide capture is
// possible (no X server, Wayland, a test without a display). Nothing is
// filtered, swallowed or kept: the program handles every event as usual.
class WindowInputCapture : public InputCapture
{
    Q_OBJECT
public:
    using InputCapture::InputCapture;
    ~WindowInputCapture() override;

    bool start() override;
    void stop() override;
    bool isCapturing() const override { return m_capturing; }
    bool isSystemWide() const override { return false; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_capturing = false;
};
