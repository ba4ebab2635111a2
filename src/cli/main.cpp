#include "command_support.h"
#include "commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

using Command = int (*)(const SessionOptions &, const QStringList &);

struct CommandEntry
{
    const char *name;
    Command run;
    const char *summary;
};

const CommandEntry kCommands[] = {
    {"status", runStatus, "search for the mouse and print its state"},
    {"read", runRead, "read the mouse into a profile file (-o FILE)"},
    {"write", runWrite, "write a profile file to the mouse"},
    {"reset", runReset, "write the default configuration to the mouse"},
    {"show", runShow, "print a profile file or the mouse's configuration"},
    {"macro", runMacro, "export and import macro files, rename macros"},
    {"set", runSet, "change one setting: dpi, report-rate, fire-key, fire-modes, light"},
    {"button", runButton, "give a button a function"},
    {"apply", runApply, "apply a configuration described as show --json prints it"},
};

QString commandList()
{
    QString text = QStringLiteral("Commands (COMMAND --help for each):\n");
    for (const CommandEntry &entry : kCommands)
        text += QStringLiteral("  %1  %2\n")
                    .arg(QString::fromLatin1(entry.name), -8)
                    .arg(QString::fromLatin1(entry.summary));
    return text;
}

// The whole command line; the exit status.
int run()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configure the gaming mouse from the command line.\n\n") + commandList());
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Show the version."));
    parser.addOptions({help, version});
    SimulatorSetup::addOptions(parser);
    parser.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("What to do."));
    parser.addPositionalArgument(QStringLiteral("ARGS"), QStringLiteral("The command's arguments."),
                                 QStringLiteral("[ARGS...]"));

    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText() + QStringLiteral(" (see --help)"), ExitUsage);
    if (parser.isSet(help)) {
        printOut(parser.helpText());
        return ExitOk;
    }
    if (parser.isSet(version)) {
        printOut(QStringLiteral("gaming-mousectl 1.0\n"));
        return ExitOk;
    }

    QString error;
    const std::optional<SessionOptions> options = SimulatorSetup::optionsFrom(parser, &error);
    if (!options)
        return fail(error, ExitUsage);

    QStringList rest = parser.positionalArguments();
    if (rest.isEmpty())
        return fail(QStringLiteral("no command given (see --help)"), ExitUsage);
    const QString name = rest.first();
    for (const CommandEntry &entry : kCommands) {
        if (name == QLatin1String(entry.name)) {
            rest[0] = QStringLiteral("gaming-mousectl ") + name;
            return entry.run(*options, rest);
        }
    }
    return fail(QStringLiteral("unknown command \"%1\" (see --help)").arg(name), ExitUsage);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gaming-mousectl"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
    return withOutputChecked(run());
}
