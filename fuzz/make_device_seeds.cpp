// Writes seed inputs for fuzz_device_replies: the header bytes and the
// get-feature answers a simulated mouse gives during one tick and read-all.
// Run by hand: make_device_seeds <corpus folder>.

#include "device/device_link.h"
#include "device/simulated_mouse.h"

#include <QFile>

#include <cstdio>

namespace {

bool writeSeed(const QString &path, quint8 machine, quint8 mouseFlags,
               const SimulatedMouseConfig &mouseConfig, int maxAnswers)
{
    Configuration config;
    if (!config.startUp())
        return false;
    SimulatedMouseConfig simulated = mouseConfig;
    simulated.vendorId = quint16(config.state().ImageVendorId);
    simulated.productId = quint16(config.state().ImageProductId);
    SimulatedMouse sim(simulated);
    sim.addPlainInterfaces(machine & 31);
    QByteArray image(kImageSize, char(0xFF));
    if (QFile file(QStringLiteral(":/VELK207xData")); file.open(QIODevice::ReadOnly))
        image = file.readAll();
    sim.placeImage(image);
    ManualClock clock;
    DeviceLink link(config, sim, clock);
    link.connection.DevTimerTimer();

    QByteArray seed;
    seed.append(char(machine));
    seed.append(char(mouseFlags));
    int answers = 0;
    for (const SimulatedMouse::TraceEntry &entry : sim.trace()) {
        if (entry.direction != SimulatedMouse::TraceEntry::Get || !entry.accepted)
            continue;
        if (answers++ == maxAnswers)
            break;
        seed.append(reinterpret_cast<const char *>(entry.bytes.data()), kReportSize);
    }
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(seed) == seed.size();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_device_seeds <corpus folder>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    SimulatedMouseConfig familyA;
    familyA.chipByte = 0x50;
    familyA.modeRegister = 4;
    SimulatedMouseConfig familyB; // the simulator's default mouse
    SimulatedMouseConfig layout42 = familyA;
    layout42.layoutByte = 29;
    SimulatedMouseConfig combined = familyB;
    combined.combinedInterface = true;

    bool ok = writeSeed(dir + "/family-a", 0x40 | 2, 0, familyA, 200);
    ok = writeSeed(dir + "/family-a-unplug", 0x80, 0, familyA, 200) && ok;
    ok = writeSeed(dir + "/family-b-start", 0x20 | 0x40, 0, familyB, 120) && ok;
    ok = writeSeed(dir + "/family-b-combined", 0x20, 4, combined, 60) && ok;
    ok = writeSeed(dir + "/layout-42", 0, 0, layout42, 40) && ok;
    return ok ? 0 : 1;
}
