// Measures a family-B write-all of the window on a simulated mouse whose
// every report takes 1 ms: how much the window adds to the reports' own
// time, and the longest the event loop waited for its turn meanwhile.
#include "app/main_window.h"
#include "app/skinned_content_port.h"
#include "device/simulated_mouse.h"
#include "image/default_image.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {
// Really sleeps, and adds up how long the sleeps took.
class CountingClock final : public DeviceClock
{
public:
    void waitMs(int ms) override
    {
        QElapsedTimer slept;
        slept.start();
        m_system.waitMs(ms);
        m_sleptNs += slept.nsecsElapsed();
    }
    qint64 nowMs() const override { return m_system.nowMs(); }
    qint64 sleptNs() const { return m_sleptNs; }

private:
    SystemClock m_system;
    qint64 m_sleptNs = 0;
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Every write backs the mouse up first: here into a folder that goes
    // with the run, not into the user's backups.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    SimulatedMouseConfig config; // family B, layout 58
    SimulatedMouse mouse(config);
    ImageBuffers image;
    if (!readDefaultImage(image) || !mouse.placeImage(joinImage(image)))
        return 1;
    mouse.setTraceEnabled(false);
    ManualClock instant;
    CoreSession session(mouse, instant);
    MainWindow window(session, [](QWidget *client, Configuration &c) {
        return new SkinnedContentPort(client, c);
    });
    window.show();
    window.DevTimerTimer();
    if (!window.config().state().ChipFamilyB)
        return 1;

    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    for (int run = 0; run < runs; ++run) {
        CountingClock latency;
        mouse.setLatency(&latency, 1);
        // A 5 ms timer shows how long the event loop had to wait its turn.
        QElapsedTimer sinceTick;
        qint64 longestGapNs = 0;
        QTimer beat;
        beat.setInterval(5);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
            sinceTick.restart();
        });
        beat.start();
        sinceTick.start();
        QElapsedTimer total;
        total.start();
        const bool ok = window.link().transfer.DownloadParameter();
        const qint64 totalNs = total.nsecsElapsed();
        beat.stop();
        mouse.setLatency(nullptr, 0);
        const double reportsMs = latency.sleptNs() / 1e6;
        const double totalMs = totalNs / 1e6;
        std::printf("write-all %s: %.1f ms, reports' own time %.1f ms, window adds %.2f %%, "
                    "longest event-loop wait %.1f ms\n",
                    ok ? "ok" : "FAILED", totalMs, reportsMs,
                    100.0 * (totalMs - reportsMs) / reportsMs, longestGapNs / 1e6);
    }
    return 0;
}
