#pragma once

#include "records/app_state.h"

// One program at a time per mouse: interleaved feature reports from two
// programs corrupt a flash write, and two read-modify-write runs lose one
// of them. Every search, identification and transfer therefore holds an
// exclusive advisory lock on the mouse. How the lock is made (a lock file
// per device in the user's runtime folder, a lock next to the simulated
// mouse's memory file) belongs to whoever builds the HID backend.
class DeviceLock
{
public:
    virtual ~DeviceLock() = default;
    // Takes the lock for the mouse with these ids, waiting briefly when
    // another program holds it; false when it stayed taken (or cannot be
    // made at all).
    virtual bool acquire(const IdPair &ids) = 0;
    virtual void release() = 0;
};

// Counts nested holders, so a read-all inside a search (or a command that
// holds the mouse for its whole run) takes the lock only once. Without a lock
// every enter() succeeds.
class DeviceLockKeeper
{
public:
    void setLock(DeviceLock *lock) { m_lock = lock; }

    bool enter(const IdPair &ids)
    {
        if (m_depth == 0 && m_lock && !m_lock->acquire(ids))
            return false;
        ++m_depth;
        return true;
    }
    void leave()
    {
        if (m_depth == 0)
            return;
        if (--m_depth == 0 && m_lock)
            m_lock->release();
    }
    bool held() const { return m_depth > 0; }

private:
    DeviceLock *m_lock = nullptr;
    int m_depth = 0;
};

// enter() for a scope; ok() tells whether the lock was taken.
class DeviceLockScope
{
public:
    DeviceLockScope(DeviceLockKeeper &keeper, const IdPair &ids)
        : m_keeper(keeper), m_ok(keeper.enter(ids))
    {}
    ~DeviceLockScope()
    {
        if (m_ok)
            m_keeper.leave();
    }
    DeviceLockScope(const DeviceLockScope &) = delete;
    DeviceLockScope &operator=(const DeviceLockScope &) = delete;
    bool ok() const { return m_ok; }

private:
    DeviceLockKeeper &m_keeper;
    bool m_ok;
};
