#pragma once

#include "device/device_clock.h"

#include <QElapsedTimer>

// The window's clock for the device link's waits (the pause before a search,
// the pressed-button pause). The wait blocks the caller as the protocol
// expects, but the window keeps painting meanwhile: timers and paint events
// run, user input waits in the queue until the wait is over.
class WindowClock final : public DeviceClock
{
public:
    WindowClock();
    void waitMs(int ms) override;
    qint64 nowMs() const override;

private:
    QElapsedTimer m_elapsed;
};
