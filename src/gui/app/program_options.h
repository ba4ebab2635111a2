#pragma once

#include "device/simulator_setup.h"

#include <QString>
#include <QStringList>

// The window program's command line. Without options the window runs on the
// machine's real HID devices; the simulator options, shared with the
// command-line tool, let it be shown and tested without a mouse.
struct ProgramOptions
{
    SimulatorOptions device;
    QString screenshotDir;     // render the screenshots there and end
    bool startupProbe = false; // report the first painted frame and end
};

struct ParsedOptions
{
    bool run = false; // false: end with exitCode (help, version, a bad option)
    int exitCode = 0;
    ProgramOptions options;
};

ParsedOptions parseProgramOptions(const QStringList &arguments);
