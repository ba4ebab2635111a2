#pragma once

#include "device/device_clock.h"
#include "device/device_connection.h"
#include "device/device_link.h"
#include "image/configuration.h"
#include "macros/macro_editor.h"
#include "progress_observer.h"
#include "tracing_backend.h"

#include <QString>

#include <memory>
#include <optional>

class SimulatedMouse;

// What the global options ask for.
struct SessionOptions
{
    QString simulate; // "", or a58, b58, a42, b42
    QString simState; // raw 65536-byte memory of the simulated mouse
    QString trace;    // where the report trace goes
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

    // Known simulator kinds, for the option's check and help.
    static bool validKind(const QString &kind);

    // Builds the backend (loading the simulated memory when its file exists)
    // and runs the window's start-up. False with `error` set on failure.
    bool start(const SessionOptions &options, QString *error);
    // One hot-plug tick without its waits: search, identify and, on success,
    // the read-all.
    ConnectionState connectMouse();
    // Saves the simulated memory and the trace; false with `error` set when
    // one of them could not be written.
    bool finish(QString *error);

    Configuration &config() { return m_config; }
    MacroEditor &macros() { return *m_macros; }
    DeviceLink &link() { return *m_link; }
    ProgressObserver &observer() { return m_observer; }

    // The one-line state `status` prints, and the error line of a command
    // that needed a connected mouse.
    QString statusLine(ConnectionState state) const;
    // The error line for the state of the last connectMouse().
    QString notConnectedError() const;
    static QString notConnectedError(ConnectionState state, const QString &deniedNodes = {});

private:
    SessionOptions m_options;
    Configuration m_config;
    std::unique_ptr<MacroEditor> m_macros;
    std::unique_ptr<HidBackend> m_hardware; // real or simulated
    SimulatedMouse *m_simulated = nullptr;  // m_hardware when simulating
    std::unique_ptr<TracingBackend> m_tracer;
    ManualClock m_clock; // the tool has no window to keep alive while waiting
    ProgressObserver m_observer;
    std::unique_ptr<DeviceLink> m_link;
};
