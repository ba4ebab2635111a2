#include "app/program_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {
void printTo(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
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
    const QCommandLineOption screenshots(
        QStringLiteral("screenshot-dir"),
        QStringLiteral("Render every page into PNG files in DIR and end (needs --simulate)."),
        QStringLiteral("DIR"));
    const QCommandLineOption probe(
        QStringLiteral("startup-probe"),
        QStringLiteral("Print when the window was first painted and its peak memory, then end "
                       "(for the start-up benchmark)."));
    parser.addOptions({help, version, screenshots, probe});
    SimulatorSetup::addOptions(parser);

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
        printTo(stdout,
                QStringLiteral("gaming-mouse %1\n").arg(QCoreApplication::applicationVersion()));
        return parsed;
    }
    QString error;
    const std::optional<SimulatorOptions> device = SimulatorSetup::optionsFrom(parser, &error);
    if (!device) {
        printTo(stderr, error + QStringLiteral(" (see --help)\n"));
        parsed.exitCode = 2;
        return parsed;
    }
    parsed.options.device = *device;
    parsed.options.screenshotDir = parser.value(screenshots);
    parsed.options.startupProbe = parser.isSet(probe);
    parsed.run = true;
    return parsed;
}
