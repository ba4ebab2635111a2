#include "app/window_clock.h"

#include <QCoreApplication>
#include <QThread>

WindowClock::WindowClock()
{
    m_elapsed.start();
}

void WindowClock::waitMs(int ms)
{
    if (ms <= 0)
        return;
    QElapsedTimer waited;
    waited.start();
    // Short slices: a paint or timer event is handled within a few
    // milliseconds, and the wait overshoots by at most one slice.
    constexpr qint64 kSliceMs = 5;
    for (qint64 left = ms; left > 0; left = ms - waited.elapsed()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, int(left));
        const qint64 rest = ms - waited.elapsed();
        if (rest > 0)
            QThread::msleep(static_cast<unsigned long>(qMin(rest, kSliceMs)));
    }
}

qint64 WindowClock::nowMs() const
{
    return m_elapsed.elapsed();
}
