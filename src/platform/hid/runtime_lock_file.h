#pragma once

#include "device/device_lock.h"

#include <QString>

// The lock on a real mouse: one lock file per device (vendor and product id)
// in the user's runtime folder ($XDG_RUNTIME_DIR, else the temporary
// folder), held with flock, so the kernel lets go of it when the program
// ends in any way. hidapi does not hand out the hidraw descriptors, so the
// nodes themselves cannot be locked.
class RuntimeLockFile final : public DeviceLock
{
public:
    // `waitMs`: how long acquire() waits for another program to finish.
    explicit RuntimeLockFile(int waitMs = 2000, QString folder = QString());
    ~RuntimeLockFile() override;
    RuntimeLockFile(const RuntimeLockFile &) = delete;
    RuntimeLockFile &operator=(const RuntimeLockFile &) = delete;

    bool acquire(const IdPair &ids) override;
    void release() override;

    // The lock file of a device ("gaming-mouse-1209-0001.lock").
    QString pathFor(const IdPair &ids) const;

private:
    int m_waitMs;
    QString m_folder;
    int m_fd = -1;
};
