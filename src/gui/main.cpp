#include "app/main_window.h"
#include "app/program_options.h"
#include "app/screenshot_tour.h"
#include "app/single_instance.h"
#include "app/skinned_content_port.h"
#include "app/window_clock.h"
#include "device/simulated_mouse.h"

#include <QApplication>

#include <cstdio>

namespace {
WindowContent *makeSkinnedContent(QWidget *client, Configuration &config)
{
    return new SkinnedContentPort(client, config);
}

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("gaming-mouse"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
}

void complain(const QString &text)
{
    std::fprintf(stderr, "gaming-mouse: %s\n", text.toLocal8Bit().constData());
}
} // namespace

int main(int argc, char *argv[])
{
    // The options are read before the window system is opened, so --help
    // and --version work without a display.
    ParsedOptions parsed;
    {
        QCoreApplication bare(argc, argv);
        nameApplication();
        parsed = parseProgramOptions(QCoreApplication::arguments());
    }
    if (!parsed.run)
        return parsed.exitCode;
    QApplication app(argc, argv);
    nameApplication();
    const ProgramOptions &options = parsed.options;

    // A second start only brings the running window to the front; rendering
    // screenshots needs no guard.
    SingleInstance instance(SingleInstance::defaultName());
    if (options.screenshotDir.isEmpty() && !instance.claim())
        return 0;

    SystemClock reportClock; // the simulated latency really passes
    // Screenshots need no real waits; the window's clock keeps painting
    // while the device link waits.
    ManualClock instantClock;
    WindowClock windowClock;
    DeviceClock &clock = options.screenshotDir.isEmpty() ? static_cast<DeviceClock &>(windowClock)
                                                         : instantClock;
    SimulatedMouse *simulated = nullptr;
    QString error;
    std::unique_ptr<HidBackend> backend = makeBackend(options, reportClock, &simulated, &error);
    if (!backend) {
        complain(error);
        return 1;
    }

    TForm1 window(*backend, clock, makeSkinnedContent);
    const auto keepSimulatedMemory = [&] {
        if (simulated && !options.simState.isEmpty() && !simulated->saveMemoryFile(options.simState))
            complain(QStringLiteral("cannot write the simulated memory \"%1\"").arg(options.simState));
    };
    QObject::connect(&window, &TForm1::deviceWritten, &window, keepSimulatedMemory);
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });

    if (!options.screenshotDir.isEmpty())
        return renderScreenshots(window, simulated, options.screenshotDir) ? 0 : 1;

    window.show();
    const int result = QApplication::exec();
    keepSimulatedMemory();
    return result;
}
