#pragma once

#include "device/device_link.h"
#include "device/simulated_mouse.h"
#include "device_test_support.h"
#include "image/configuration.h"

// A window's worth of device link over a simulated mouse that carries the
// default image, with the clock and the window side recorded.
struct DeviceRig
{
    explicit DeviceRig(const SimulatedMouseConfig &mouse = {}) : sim(mouse)
    {
        config.startUp();
        sim.placeImage(defaultImage());
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

inline SimulatedMouseConfig mouseConfig(quint8 chip, quint8 layout, quint8 mode)
{
    SimulatedMouseConfig config;
    config.chipByte = chip;
    config.layoutByte = layout;
    config.modeRegister = mode;
    return config;
}
