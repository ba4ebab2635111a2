#pragma once

#include "backup/backup_store.h"
#include "device/device_clock.h"
#include "device/device_connection.h"
#include "device/device_link.h"
#include "device/simulator_setup.h"
#include "image/configuration.h"
#include "macros/macro_editor.h"
#include "progress_observer.h"

#include <QString>

#include <memory>
#include <optional>

// What the global options ask for: the real or simulated mouse, its memory
// file, the trace and the injected faults, and whether a write backs up the
// mouse's configuration first (--no-backup: it does not).
struct SessionOptions : SimulatorOptions
{
    bool backups = true;
};

// The tool's stand-in for the main window: one Configuration with its device
// link over the real or the simulated HID backend, the macro list, and the
// files named by the global options (simulated memory, trace).
class MouseSession
{
public:
    MouseSession();
    ~MouseSession();
    MouseSession(const MouseSession &) = delete;
    MouseSession &operator=(const MouseSession &) = delete;

    // Builds the backend and runs the window's start-up. False with `error`
    // set on failure.
    bool start(const SessionOptions &options, QString *error);
    // Takes the mouse for the rest of the session (a read-modify-write must
    // not interleave with another program's), then one hot-plug tick without
    // its waits: search, identify and, on success, the read-all. InUse when
    // another program holds the mouse.
    ConnectionState connectMouse();
    // Lets go of the mouse (saving the simulated memory) and writes the
    // trace; false with `error` set when one of them could not be written.
    bool finish(QString *error);

    Configuration &config() { return m_config; }
    // The language of the captions (DPI levels, function names); the
    // transfers' messages stay in the tool's own words.
    void setLanguage(int languageNumber);
    MacroEditor &macros() { return *m_macros; }
    DeviceLink &link() { return *m_link; }
    ProgressObserver &observer() { return m_observer; }

    // The one-line state `status` prints, and the error line of a command
    // that needed a connected mouse.
    QString statusLine(ConnectionState state) const;
    static QString notConnectedError(ConnectionState state, const QString &deniedNodes = {});
    // The tool's words for a transfer message the window shows in a box
    // (Str022-Str029), empty for any other text key.
    static QString toolMessage(const QString &key);
    // Why the mouse could not be taken when it was not another program's
    // doing (the simulated memory file or its lock); empty otherwise.
    const QString &lockProblem() const { return m_lockProblem; }

private:
    void useToolWording();
    Configuration m_config;
    std::unique_ptr<MacroEditor> m_macros;
    SimulatorSetup m_device;
    ManualClock m_clock;        // the tool has no window to keep alive while waiting
    SystemClock m_latencyClock; // but a slow simulated mouse really is slow
    QString m_lockProblem;
    BackupStore m_backups; // every write saves the mouse's configuration here first
    ProgressObserver m_observer;
    std::unique_ptr<DeviceLink> m_link;
};
