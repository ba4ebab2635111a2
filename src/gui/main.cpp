#include "app/main_window.h"
#include "app/program_options.h"
#include "app/screenshot_tour.h"
#include "app/single_instance.h"
#include "app/skinned_content_port.h"
#include "app/startup_probe.h"
#include "app/window_clock.h"
#include "real_device.h"
#include "udev_hidraw_monitor.h"

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
    // screenshots or measuring the start needs no guard.
    const bool guarded = options.screenshotDir.isEmpty() && !options.startupProbe;
    SingleInstance instance(guarded ? SingleInstance::defaultName() : QString());
    if (guarded && !instance.claim())
        return 0;

    // Screenshots need no real waits; otherwise the window's clock keeps
    // painting while the device link waits.
    ManualClock instantClock;
    WindowClock windowClock;
    DeviceClock *clock = &instantClock;
    if (options.screenshotDir.isEmpty())
        clock = &windowClock;
    QString error;
    const std::unique_ptr<CoreSession> session =
        CoreSession::open(options.device, *clock, realDevice(), &error);
    if (!session) {
        complain(error);
        return 1;
    }

    int result = 0;
    {
        MainWindow window(*session, makeSkinnedContent);
        QObject::connect(&instance, &SingleInstance::activationRequested, &window, [&window] {
            window.showNormal();
            window.raise();
            window.activateWindow();
        });
        if (!options.screenshotDir.isEmpty()) {
            result =
                renderScreenshots(window, session->simulatedMouse(), options.screenshotDir) ? 0 : 1;
        } else {
            // The real mouse is looked for as soon as a HID node comes or goes.
            if (!options.device.simulated()) {
                auto *hotPlug = new UdevHidrawMonitor(&window);
                QObject::connect(hotPlug, &UdevHidrawMonitor::hidrawChanged, &window,
                                 &MainWindow::hidDevicesChanged);
            }
            if (options.startupProbe)
                new StartupProbe(&window);
            window.show();
            result = QApplication::exec();
        }
    }
    // The mouse is let go (the simulated memory saved) and the trace written.
    if (!session->finish(&error)) {
        complain(error);
        return result == 0 ? 1 : result;
    }
    return result;
}
