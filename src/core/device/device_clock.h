#pragma once

#include <QtGlobal>

// Every blocking wait of the device link (the pause before a search) and of
// its front ends (the window's pressed-button pause) goes through this, so
// tests and the simulator can run without sleeping.
class DeviceClock
{
public:
    virtual ~DeviceClock() = default;
    virtual void waitMs(int ms) = 0;
    // Milliseconds since an arbitrary start.
    virtual qint64 nowMs() const = 0;
};

// Really waits; for the programs.
class SystemClock final : public DeviceClock
{
public:
    SystemClock();
    void waitMs(int ms) override;
    qint64 nowMs() const override;

private:
    qint64 m_startNs = 0;
};

// Only counts the time asked for; for tests and the simulator.
class ManualClock final : public DeviceClock
{
public:
    void waitMs(int ms) override { m_nowMs += ms > 0 ? ms : 0; }
    qint64 nowMs() const override { return m_nowMs; }
    void advance(qint64 ms) { m_nowMs += ms; }
    // Total of all waits so far.
    qint64 waitedMs() const { return m_nowMs; }

private:
    qint64 m_nowMs = 0;
};
