// The device link against the simulated mouse with no latency: what the
// program itself costs per read-all, write-all and hot-plug tick.

#include "bench_support.h"

#include "device/device_link.h"
#include "device/simulated_mouse.h"

#include <memory>

namespace {

// A family-B mouse of layout 58 carrying the default image, found and read,
// among `otherInterfaces` further HID interfaces.
struct ConnectedMouse
{
    explicit ConnectedMouse(int otherInterfaces)
    {
        config.startUp();
        SimulatedMouseConfig mouse;
        mouse.vendorId = quint16(config.state().ImageVendorId);
        mouse.productId = quint16(config.state().ImageProductId);
        sim = std::make_unique<SimulatedMouse>(mouse);
        sim->addPlainInterfaces(otherInterfaces);
        sim->setTraceEnabled(false); // the trace would grow with every iteration
        sim->placeImage(defaultImageBytes());
        link = std::make_unique<DeviceLink>(config, *sim, clock);
        link->connection.DevTimerTimer();
    }

    bool connected() const
    {
        return link->connection.connectionState() == ConnectionState::Connected &&
               config.state().ChipFamilyB;
    }

    Configuration config;
    ManualClock clock;
    std::unique_ptr<SimulatedMouse> sim;
    std::unique_ptr<DeviceLink> link;
};

void BM_FamilyBReadAll(benchmark::State &state)
{
    ConnectedMouse mouse(0);
    if (!mouse.connected()) {
        state.SkipWithError("the simulated mouse was not connected");
        return;
    }
    if (!mouse.link->transfer.readAll() || !mouse.link->transfer.lastReadComplete()) {
        state.SkipWithError("the read-all failed");
        return;
    }
    for (auto _ : state) {
        const bool read = mouse.link->transfer.readAll();
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(BM_FamilyBReadAll)->Unit(benchmark::kMicrosecond);

void BM_FamilyBWriteAll(benchmark::State &state)
{
    ConnectedMouse mouse(0);
    if (!mouse.connected()) {
        state.SkipWithError("the simulated mouse was not connected");
        return;
    }
    if (!mouse.link->transfer.DownloadParameter()) {
        state.SkipWithError("the write-all failed");
        return;
    }
    for (auto _ : state) {
        const bool written = mouse.link->transfer.DownloadParameter();
        benchmark::DoNotOptimize(written);
    }
}
BENCHMARK(BM_FamilyBWriteAll)->Unit(benchmark::kMicrosecond);

// 32 interfaces: the mouse's two and 30 others; nothing changes between ticks.
void BM_HotPlugTickNoChange32(benchmark::State &state)
{
    ConnectedMouse mouse(30);
    if (!mouse.connected() || mouse.sim->interfaceCount() != 32) {
        state.SkipWithError("expected a connected mouse among 32 interfaces");
        return;
    }
    for (auto _ : state)
        mouse.link->connection.DevTimerTimer();
    if (mouse.link->connection.connectionState() != ConnectionState::Connected)
        state.SkipWithError("a tick without change dropped the mouse");
}
BENCHMARK(BM_HotPlugTickNoChange32)->Unit(benchmark::kMicrosecond);

} // namespace
