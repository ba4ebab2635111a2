#pragma once

#include "device/device_clock.h"
#include "device/device_connection.h"
#include "progress_observer.h"
#include "session/core_session.h"

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

// The tool's front end over the core session (the configuration, its device
// link over the real or the simulated HID backend, the macro list, the files
// named by the global options): the tool's wording and its progress line.
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

    Configuration &config() { return m_session->config(); }
    // The language of the captions (DPI levels, function names); the
    // device link's messages stay in the tool's own words.
    void setLanguage(int languageNumber);
    MacroEditor &macros() { return m_session->macros(); }
    DeviceLink &link() { return m_session->link(); }
    ProgressObserver &observer() { return m_observer; }

    // The one-line state `status` prints, and the error line of a command
    // that needed a connected mouse.
    QString statusLine(ConnectionState state) const;
    static QString notConnectedError(ConnectionState state, const QString &deniedNodes = {});
    // The tool's words for a message of the device link: its own for the
    // connection and transfer failures, the window's in `text` for the rest.
    static QString toolMessage(const DeviceMessage &message, const TextLookup &text);
    // Why the mouse could not be taken when it was not another program's
    // doing (the simulated memory file or its lock); empty otherwise.
    const QString &lockProblem() const { return m_lockProblem; }

private:
    ManualClock m_clock; // the tool has no window to keep alive while waiting
    QString m_lockProblem;
    ProgressObserver m_observer;
    std::unique_ptr<CoreSession> m_session;
};
