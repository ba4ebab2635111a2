#include "device/device_clock.h"

#include <QThread>

#include <chrono>

namespace {
qint64 monotonicNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

SystemClock::SystemClock() : m_startNs(monotonicNs()) {}

void SystemClock::waitMs(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

qint64 SystemClock::nowMs() const
{
    return (monotonicNs() - m_startNs) / 1000000;
}
