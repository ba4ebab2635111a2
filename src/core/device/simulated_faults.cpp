#include "device/simulated_faults.h"

#include <algorithm>

void SimulatedFaults::setFailEveryNthGet(int n)
{
    m_failEveryNthGet = std::max(0, n);
    m_getCount = 0;
}

qint64 &SimulatedFaults::unplugCountdown(int mouse)
{
    if (size_t(mouse) >= m_unplugAfter.size())
        m_unplugAfter.resize(size_t(mouse) + 1, -1);
    return m_unplugAfter[size_t(mouse)];
}

void SimulatedFaults::unplugAfterReports(qint64 reports, int mouse)
{
    unplugCountdown(mouse) = reports;
}

void SimulatedFaults::failReportNumber(qint64 n)
{
    m_failReport = n > 0 ? m_mouseReports + n : 0;
}

void SimulatedFaults::garbleRepliesFrom(qint64 n)
{
    m_garbleFrom = n > 0 ? m_mouseReports + n : 0;
}

void SimulatedFaults::setLatency(DeviceClock *clock, int msPerReport)
{
    m_clock = clock;
    m_latencyMs = msPerReport;
}

void SimulatedFaults::waitLatency() const
{
    if (m_clock && m_latencyMs > 0)
        m_clock->waitMs(m_latencyMs);
}

SimulatedFaults::Admission SimulatedFaults::admit(int mouse)
{
    qint64 &countdown = unplugCountdown(mouse);
    if (countdown == 0) {
        countdown = -1;
        return Admission::Unplug;
    }
    if (countdown > 0)
        --countdown;
    return ++m_mouseReports == m_failReport ? Admission::Refuse : Admission::Pass;
}

bool SimulatedFaults::loseReply()
{
    return m_failEveryNthGet > 0 && ++m_getCount % quint64(m_failEveryNthGet) == 0;
}

void SimulatedFaults::garble(HidReport &reply)
{
    if (!m_garbage && !(m_garbleFrom > 0 && m_mouseReports >= m_garbleFrom))
        return;
    for (int i = 1; i < kReportSize; ++i) {
        m_garbageSeed = m_garbageSeed * 1103515245u + 12345u;
        reply[size_t(i)] = quint8(m_garbageSeed >> 16);
    }
}
