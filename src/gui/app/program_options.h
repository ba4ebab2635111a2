#pragma once

#include "device/device_clock.h"
#include "device/hid_backend.h"

#include <QString>
#include <QStringList>

#include <memory>

class SimulatedMouse;

// The window program's command line. Without options the window runs on the
// machine's real HID devices; the simulator options let it be shown and
// tested without a mouse.
struct ProgramOptions
{
    QString simulate;       // "", a58, b58, a42 or b42
    QString simState;       // the simulated mouse's memory file
    int simLatencyMs = 0;   // per report
    qint64 simUnplugAfter = -1;
    int simFailReport = 0;  // every n-th data read fails; 0 = never
    QString screenshotDir;  // render the screenshots there and end
};

struct ParsedOptions
{
    bool run = false;  // false: end with exitCode (help, version, a bad option)
    int exitCode = 0;
    ProgramOptions options;
};

ParsedOptions parseProgramOptions(const QStringList &arguments);

// The HID backend the options ask for. For a simulated mouse `simulated` is
// set to it and its memory is loaded from --sim-state when that file exists.
// Null with `error` set when the options cannot be met.
std::unique_ptr<HidBackend> makeBackend(const ProgramOptions &options, DeviceClock &latencyClock,
                                        SimulatedMouse **simulated, QString *error);
