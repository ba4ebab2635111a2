#pragma once

#include "device/device_clock.h"
#include "device/device_lock.h"
#include "device/hid_backend.h"
#include "device/simulated_mouse.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QCommandLineParser;
class TracingBackend;

// The HID backend both programs talk through, as their command-line options
// choose it: the real mouse, or a simulated one (chip family and layout, its
// memory kept in a file between runs, injected faults), optionally traced.
//
// Use:
//   SimulatorSetup::addOptions(parser);                        // before parsing
//   auto options = SimulatorSetup::optionsFrom(parser, &error); // nullopt: usage error
//   SimulatorSetup setup;
//   setup.start(*options, clock,
//               [] { return std::make_unique<HidapiBackend>(); },     // src/platform
//               [] { return std::make_unique<RuntimeLockFile>(); },   // src/platform
//               &error);
//   DeviceLink link(config, setup.backend(), clock);
//   link.setLock(setup.lock());
//   ...                 // every search and transfer now takes the lock itself
//   setup.finish(&error);                                       // writes the trace
//
// The window needs nothing more: each tick's search and each transfer holds
// the lock only while it runs. A command that reads, changes and writes
// enters link.lockKeeper itself and leaves it at its end.
//
// With --sim-state the lock lives next to the memory file (FILE.lock), and
// the memory follows it: taking the lock loads the file, letting it go saves
// the memory back. So a program sees the mouse as the last holder left it,
// and two programs never both change it. `clock` is what the simulated
// mouse's latency waits through (a SystemClock makes it real).
struct SimulatorOptions
{
    QString kind;            // "" real HID; a58, b58, a42 or b42
    QString statePath;       // --sim-state: the simulated memory file
    QString tracePath;       // --trace: one line per feature report
    qint64 unplugAfter = -1; // --sim-unplug-after: the mouse goes away after N reports
    qint64 failReport = 0;   // --sim-fail-report: the N-th report is refused (0 = none)
    qint64 garbleFrom = 0;   // --sim-garble-from: replies are garbage from report N on
    int latencyMs = 0;       // --sim-latency: per report, through the clock

    bool simulated() const { return !kind.isEmpty(); }
};

class SimulatorSetup
{
public:
    using BackendFactory = std::function<std::unique_ptr<HidBackend>()>;
    using LockFactory = std::function<std::unique_ptr<DeviceLock>()>;

    // How long a program waits for the mouse before it gives up.
    static constexpr int kLockWaitMs = 2000;

    SimulatorSetup();
    ~SimulatorSetup();
    SimulatorSetup(const SimulatorSetup &) = delete;
    SimulatorSetup &operator=(const SimulatorSetup &) = delete;

    // --simulate, --sim-state, --trace, --sim-unplug-after, --sim-fail-report, --sim-garble-from
    // and --sim-latency with their help texts.
    static void addOptions(QCommandLineParser &parser);
    // The options as given; nullopt with a one-line `error` for a bad or
    // empty value or a simulator option without --simulate (a usage error).
    static std::optional<SimulatorOptions> optionsFrom(const QCommandLineParser &parser,
                                                       QString *error);
    // Known simulator kinds.
    static bool validKind(const QString &kind);
    // The simulated mouse of a kind (a58, b58, a42, b42); nullopt for others.
    static std::optional<SimulatedMouseConfig> mouseConfig(const QString &kind);
    // Puts the embedded default image into mouse `index`'s memory; false
    // when the image is missing.
    static bool placeDefaultImage(SimulatedMouse &mouse, int index);

    // Builds the backend: the simulated mouse (with its memory file checked,
    // faults set and latency waited through `clock`) or, for real HID, what
    // `realBackend` and `realLock` make. False with a one-line `error` when
    // a file named by the options cannot be used.
    bool start(const SimulatorOptions &options, DeviceClock &clock,
               const BackendFactory &realBackend, const LockFactory &realLock, QString *error);

    HidBackend &backend();
    // For DeviceLink::setLock; null when nothing needs locking (a simulated
    // mouse without memory file lives only in this program).
    DeviceLock *lock();
    SimulatedMouse *simulatedMouse() { return m_simulated; }
    // What went wrong with the memory file or its lock, empty when nothing:
    // a refused lock is then another program's doing.
    QString problem() const;

    // Writes the trace, and reports a memory file that could not be saved
    // when the lock was let go. Call after the lock was released.
    bool finish(QString *error);

private:
    class MemoryFileLock;

    SimulatorOptions m_options;
    std::unique_ptr<HidBackend> m_hardware;
    SimulatedMouse *m_simulated = nullptr;
    std::unique_ptr<TracingBackend> m_tracer;
    std::unique_ptr<DeviceLock> m_lock;
    MemoryFileLock *m_memoryLock = nullptr;
};
