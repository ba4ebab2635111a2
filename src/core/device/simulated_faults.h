#pragma once

#include "device/device_clock.h"
#include "device/hid_backend.h"

#include <vector>

// The faults a test can inject into the simulated mice: reports refused or
// replies lost on the way, a mouse that vanishes after a number of reports,
// replies that turn to noise, and the time each report takes.
class SimulatedFaults
{
public:
    // What becomes of one report that reaches a mouse.
    enum class Admission
    {
        Pass,
        Refuse,
        Unplug // the mouse vanishes now; the report is refused
    };

    void setFailEveryNthGet(int n); // 0 = never
    void setGarbageReplies(bool garbage) { m_garbage = garbage; }
    // The mouse vanishes after it saw `reports` more reports; -1 = never.
    void unplugAfterReports(qint64 reports, int mouse);
    // The n-th report (set or get, counted from 1 from now on) that reaches
    // a mouse is refused, once; 0 = never.
    void failReportNumber(qint64 n);
    // From the n-th report (counted as above) on, every reply the mouse gives
    // keeps its report id but carries random payload bytes; 0 = never.
    void garbleRepliesFrom(qint64 n);
    void setLatency(DeviceClock *clock, int msPerReport);

    // Every report on the bus takes the latency.
    void waitLatency() const;
    // Counts a report that reached the mouse.
    Admission admit(int mouse);
    // Counts an accepted read; true when its reply is to be lost.
    bool loseReply();
    // Turns the reply to noise when garbling is on.
    void garble(HidReport &reply);

private:
    qint64 &unplugCountdown(int mouse);

    std::vector<qint64> m_unplugAfter; // per mouse: remaining reports before it vanishes
    int m_failEveryNthGet = 0;
    quint64 m_getCount = 0;
    qint64 m_mouseReports = 0; // reports that reached a mouse so far
    qint64 m_failReport = 0;   // as a number of m_mouseReports; 0 = none
    qint64 m_garbleFrom = 0;   // likewise
    bool m_garbage = false;
    quint32 m_garbageSeed = 0x12345678;
    DeviceClock *m_clock = nullptr;
    int m_latencyMs = 0;
};
