#pragma once

#include "device/device_link.h"
#include "device/simulated_mouse.h"
#include "device_test_support.h"
#include "configuration/configuration.h"

// A window's worth of device link over a simulated mouse that carries the
// default image, with the clock and the window side recorded.
struct DeviceRig
{
    explicit DeviceRig(const SimulatedMouseConfig &mouse = {}) : sim(mouse)
    {
        config.startUp();
        sim.placeImage(defaultImage());
        observer.config = &config;
        link.setObserver(&observer);
    }
    AppState &state() { return config.state(); }
    // One hot-plug tick; the trace then holds only what it sent.
    void tick()
    {
        sim.clearTrace();
        link.connection.DevTimerTimer();
    }

    Configuration config;
    SimulatedMouse sim;
    ManualClock clock;
    RecordingObserver observer;
    DeviceLink link{config, sim, clock};
};

inline bool sameImage(const ImageBuffers &a, const ImageBuffers &b)
{
    return a.DataBuf == b.DataBuf && a.MacroNameTable == b.MacroNameTable &&
           a.MacroBlocks == b.MacroBlocks;
}

inline bool sameSections(const SectionRecords &a, const SectionRecords &b)
{
    return a.ParameterA == b.ParameterA && a.ParameterB == b.ParameterB &&
           a.UserBreath == b.UserBreath && a.ReservedBlock == b.ReservedBlock &&
           a.IdBytes == b.IdBytes && a.EFTControl == b.EFTControl && a.FireKey == b.FireKey &&
           a.Profile == b.Profile;
}

inline SimulatedMouseConfig mouseConfig(quint8 chip, quint8 layout, quint8 mode)
{
    SimulatedMouseConfig config;
    config.chipByte = chip;
    config.layoutByte = layout;
    config.modeRegister = mode;
    return config;
}
