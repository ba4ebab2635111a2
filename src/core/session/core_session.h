#pragma once

#include "backup/backup_store.h"
#include "device/device_clock.h"
#include "device/device_link.h"
#include "device/simulator_setup.h"
#include "configuration/configuration.h"
#include "image/macro_name_list.h"
#include "macros/macro_editor.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// How the real mouse is reached, which only the platform knows: its HID
// backend and the lock that keeps two programs off one mouse.
struct RealDeviceFactories
{
    SimulatorSetup::BackendFactory backend;
    SimulatorSetup::LockFactory lock;
};

// Everything one program run works with, wired once: the configuration with
// its page models, the macro list, the device link over the real or the
// simulated mouse with its lock, and the backups every write makes first.
// The window and the command-line tool build one and add their front end:
// an observer of the device link, and what they show of the macro names.
class CoreSession : private MacroNameList
{
public:
    // The programs' one call: the backend the options choose (the simulated
    // mouse, or what `real` makes), every wait of the device link through
    // `waitClock`. Null with a one-line `error` when a file named by the
    // options cannot be used.
    static std::unique_ptr<CoreSession> open(const SimulatorOptions &options,
                                             DeviceClock &waitClock,
                                             const RealDeviceFactories &real, QString *error);
    // Over a backend the caller keeps (tests, benchmarks): no lock.
    CoreSession(HidBackend &backend, DeviceClock &waitClock);
    ~CoreSession() override;
    CoreSession(const CoreSession &) = delete;
    CoreSession &operator=(const CoreSession &) = delete;

    Configuration &config() { return m_config; }
    const Configuration &config() const { return m_config; }
    MacroEditor &macros() { return m_macros; }
    DeviceLink &link() { return *m_link; }
    const DeviceLink &link() const { return *m_link; }
    BackupStore &backups() { return m_backups; }
    // The clock every wait of the device link goes through; a front end's
    // own pauses (the window's pressed pictures) use it too.
    DeviceClock &clock() { return *m_waitClock; }
    // The simulated mouse the options asked for; null for the real one or a
    // backend of the caller's.
    SimulatedMouse *simulatedMouse() { return m_device ? m_device->simulatedMouse() : nullptr; }

    // Every write saves the mouse's configuration first (on by default).
    void setBackupsEnabled(bool enabled);
    // The front end's part of a refresh of the macro names from the image,
    // after the macro list took them (a window re-renders its lists).
    void setMacroNamesShown(std::function<void(const QStringList &)> shown);

    // Takes the mouse until release(), however many searches and transfers
    // run meanwhile, so a read-modify-write does not interleave with another
    // program's. True when it is held.
    bool holdMouse();
    // Why the mouse could not be taken when it was not another program's
    // doing (the simulated memory file or its lock); empty otherwise.
    QString lockProblem() const;
    // Lets go of the mouse however deeply it is held (the simulated memory
    // is saved when its lock goes).
    void release();
    // release(), then the trace is written; false with `error` set when the
    // simulated memory or the trace could not be written.
    bool finish(QString *error);

private:
    CoreSession();
    // The device link over `backend`, with every hook the layers below call.
    void wire(HidBackend &backend, DeviceClock &waitClock);

    void takeNamesFromTable() override;
    void putNamesIntoTable() override;
    QStringList macroNames() const override;

    // A simulated mouse's latency really passes, whatever the waits do.
    SystemClock m_latencyClock;
    std::unique_ptr<SimulatorSetup> m_device; // null over a caller's backend
    Configuration m_config;
    MacroEditor m_macros{m_config.image()};
    BackupStore m_backups;
    std::function<void(const QStringList &)> m_macroNamesShown;
    DeviceClock *m_waitClock = nullptr;
    // Last, so it goes before the configuration and the backend it talks through.
    std::unique_ptr<DeviceLink> m_link;
};
