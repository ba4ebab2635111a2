#include "app/program_options.h"

#include "device/simulated_mouse.h"
#include "hidapi_backend.h"
#include "image/default_image.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {
void printTo(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

std::optional<SimulatedMouseConfig> simulatedKind(const QString &kind)
{
    SimulatedMouseConfig config;
    if (kind == u"a58" || kind == u"a42") {
        config.chipByte = 0x50;
        config.modeRegister = 4;
    } else if (kind == u"b58" || kind == u"b42") {
        config.chipByte = 0xA0;
        config.modeRegister = 0;
    } else {
        return std::nullopt;
    }
    config.layoutByte = kind.endsWith(u"58") ? 58 : 29;
    return config;
}

bool readNumber(const QCommandLineParser &parser, const QCommandLineOption &option, qint64 low,
                qint64 *value, QString *error)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const qint64 number = parser.value(option).toLongLong(&ok);
    if (!ok || number < low || number > std::numeric_limits<int>::max()) {
        *error = QStringLiteral("--%1 needs a whole number from %2 on")
                     .arg(option.names().constFirst())
                     .arg(low);
        return false;
    }
    *value = number;
    return true;
}
} // namespace

ParsedOptions parseProgramOptions(const QStringList &arguments)
{
    ParsedOptions parsed;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configure the gaming mouse: buttons, DPI, report rate, light and macros."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Show the version."));
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Use a simulated mouse instead of real HID: a58, b58, a42 or b42 (chip "
                       "family A or B, layout 58 or 42)."),
        QStringLiteral("KIND"));
    const QCommandLineOption simState(
        QStringLiteral("sim-state"),
        QStringLiteral("The simulated mouse's 65536-byte memory: loaded when the file exists, "
                       "saved after every write and when the program ends."),
        QStringLiteral("FILE"));
    const QCommandLineOption simLatency(QStringLiteral("sim-latency"),
                                        QStringLiteral("Each report to the simulated mouse takes MS milliseconds."),
                                        QStringLiteral("MS"));
    const QCommandLineOption simUnplug(
        QStringLiteral("sim-unplug-after"),
        QStringLiteral("The simulated mouse vanishes after N more reports."), QStringLiteral("N"));
    const QCommandLineOption simFail(QStringLiteral("sim-fail-report"),
                                     QStringLiteral("Every N-th data read of the simulated mouse fails."),
                                     QStringLiteral("N"));
    const QCommandLineOption screenshots(
        QStringLiteral("screenshot-dir"),
        QStringLiteral("Render every page into PNG files in DIR and end."), QStringLiteral("DIR"));
    parser.addOptions({help, version, simulate, simState, simLatency, simUnplug, simFail, screenshots});

    if (!parser.parse(arguments)) {
        printTo(stderr, parser.errorText() + QStringLiteral(" (see --help)\n"));
        parsed.exitCode = 2;
        return parsed;
    }
    if (parser.isSet(help)) {
        printTo(stdout, parser.helpText());
        return parsed;
    }
    if (parser.isSet(version)) {
        printTo(stdout, QStringLiteral("gaming-mouse %1\n").arg(QCoreApplication::applicationVersion()));
        return parsed;
    }
    ProgramOptions &options = parsed.options;
    options.simulate = parser.value(simulate);
    options.simState = parser.value(simState);
    options.screenshotDir = parser.value(screenshots);
    QString error;
    qint64 latency = 0, unplug = -1, fail = 0;
    if (!options.simulate.isEmpty() && !simulatedKind(options.simulate))
        error = QStringLiteral("unknown simulated mouse \"%1\" (use a58, b58, a42 or b42)")
                    .arg(options.simulate);
    else if (options.simulate.isEmpty() &&
             (parser.isSet(simState) || parser.isSet(simLatency) || parser.isSet(simUnplug) ||
              parser.isSet(simFail)))
        error = QStringLiteral("the --sim-... options need --simulate");
    if (error.isEmpty() && readNumber(parser, simLatency, 0, &latency, &error) &&
        readNumber(parser, simUnplug, 0, &unplug, &error) &&
        readNumber(parser, simFail, 1, &fail, &error)) {
        options.simLatencyMs = int(latency);
        options.simUnplugAfter = unplug;
        options.simFailReport = int(fail);
        parsed.run = true;
        return parsed;
    }
    printTo(stderr, error + QStringLiteral(" (see --help)\n"));
    parsed.exitCode = 2;
    return parsed;
}

std::unique_ptr<HidBackend> makeBackend(const ProgramOptions &options, DeviceClock &latencyClock,
                                        SimulatedMouse **simulated, QString *error)
{
    *simulated = nullptr;
    if (options.simulate.isEmpty())
        return std::make_unique<HidapiBackend>();
    auto mouse = std::make_unique<SimulatedMouse>(*simulatedKind(options.simulate));
    mouse->setTraceEnabled(false);
    if (!options.simState.isEmpty() && QFileInfo::exists(options.simState)) {
        if (!mouse->loadMemoryFile(options.simState)) {
            *error = QStringLiteral("cannot use \"%1\" as simulated memory: it must be a readable "
                                    "file of exactly %2 bytes")
                         .arg(options.simState)
                         .arg(SimulatedMouse::kMemorySize);
            return nullptr;
        }
    } else {
        ImageBuffers image;
        if (!readDefaultImage(image) || !mouse->placeImage(joinImage(image))) {
            *error = QStringLiteral("the embedded default image is missing");
            return nullptr;
        }
    }
    if (options.simLatencyMs > 0)
        mouse->setLatency(&latencyClock, options.simLatencyMs);
    if (options.simUnplugAfter >= 0)
        mouse->unplugAfterReports(options.simUnplugAfter);
    if (options.simFailReport > 0)
        mouse->setFailEveryNthGet(options.simFailReport);
    *simulated = mouse.get();
    return mouse;
}
