// status, read, write and reset: the window's hot-plug tick, Save after the
// read-all, Load followed by Apply, and Reset.
#include "command_support.h"
#include "commands.h"
#include "desktop_mouse_settings.h"
#include "edit_session.h"
#include "file_arguments.h"

#include <QFileInfo>

#include <optional>

namespace {

// Save as the window's Save button does it, but into exactly `target`: on a
// command line the user names the file, so no ".bin" is appended.
bool saveProfileTo(MouseSession &session, const QString &target, QString *error)
{
    Configuration &config = session.config();
    const ProfileFileResult result = config.saveProfileFile(target);
    if (!result.ok())
        *error = result.message(config.text());
    return result.ok();
}

const QCommandLineOption &dryRunOption()
{
    static const QCommandLineOption option(
        QStringLiteral("dry-run"),
        QStringLiteral("Read the mouse, print what the write would change and write nothing."));
    return option;
}

} // namespace

int runStatus(const SessionOptions &options, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Search for the mouse and identify it, then print one line: \"connected "
        "family A|B layout 42|58 vendor 0xVVVV product 0xPPPP\", \"no device\", "
        "\"type error\", \"id error\", \"dropped\", \"not identified\", \"read failed\" (a "
        "report was lost; nothing was taken), \"in use\" (another program holds the mouse) "
        "or \"no access to NODE\" (the mouse is attached but may not be opened). Exits "
        "with 0 only when the mouse is connected.\n"
        "Example: gaming-mousectl status && gaming-mousectl read -o backup.bin"));
    int status = ExitOk;
    if (!parseCommand(parser, args, &status))
        return status;
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("status takes no arguments"), ExitUsage);

    return withSession(options, [](MouseSession &session) {
        const ConnectionState state = session.connectMouse();
        printOut(session.statusLine(state) + QLatin1Char('\n'));
        if (state == ConnectionState::Connected)
            return int(ExitOk);
        return fail(connectionError(session, state));
    });
}

int runRead(const SessionOptions &options, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Read the whole configuration from the mouse and save it as a profile "
                       "file (34048 bytes) under exactly the name given.\n"
                       "Example: gaming-mousectl read -o ~/mouse-backup.bin"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The profile file to write."),
                                    QStringLiteral("FILE"));
    parser.addOption(output);
    int status = ExitOk;
    if (!parseCommand(parser, args, &status))
        return status;
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("read takes no arguments besides -o FILE"), ExitUsage);
    if (!parser.isSet(output))
        return fail(QStringLiteral("read needs -o FILE"), ExitUsage);
    const QString target = parser.value(output);
    if (const QString empty = emptyValueError(target, QStringLiteral("-o")); !empty.isEmpty())
        return fail(empty, ExitUsage);
    OutputFile file;
    QString error;
    if (!file.open(target, &error))
        return fail(error);

    return withSession(options, [&file](MouseSession &session) {
        int result = ExitOk;
        if (!requireConnected(session, &result))
            return result;
        QString error;
        if (!saveProfileTo(session, file.path(), &error) || !file.finish(&error))
            return fail(file.shown(error));
        return int(ExitOk);
    });
}

int runWrite(const SessionOptions &options, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Load a profile file as the window's Load does and write the whole "
                       "configuration to the mouse as Apply does.\n"
                       "Examples: gaming-mousectl write ~/mouse-backup.bin --dry-run\n"
                       "          gaming-mousectl write ~/mouse-backup.bin"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The profile file."));
    const QCommandLineOption systemSettings(
        QStringLiteral("system-settings"),
        QStringLiteral("Also store the desktop's mouse settings again and apply them to the "
                       "running desktop, as the window's write does, through the store this "
                       "desktop calls for; prints which store that is."));
    parser.addOptions({systemSettings, dryRunOption()});
    int status = ExitOk;
    if (!parseCommand(parser, args, &status))
        return status;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return fail(QStringLiteral("write needs exactly one FILE"), ExitUsage);
    const bool desktop = parser.isSet(systemSettings);
    const bool dryRun = parser.isSet(dryRunOption());
    if (const QString empty = emptyValueError(files.first(), QStringLiteral("write"));
        !empty.isEmpty())
        return fail(empty, ExitUsage);
    InputFile file;
    QString error;
    if (!file.open(files.first(), &error))
        return fail(error);

    return withSession(options, [&file, desktop, dryRun](MouseSession &session) {
        Configuration &config = session.config();
        // Attached before the read-all, which fills the scales from the desktop.
        std::optional<DesktopMouseSettings> desktopSettings;
        if (desktop)
            desktopSettings.emplace(config.mouseSettingsPage(), session.link().transfer);
        int result = ExitOk;
        if (!requireConnected(session, &result))
            return result;
        auto load = [&config, &file] {
            const ProfileFileResult loaded = config.loadProfile(file.path());
            return loaded.ok() ? int(ExitOk) : fail(file.shown(loaded.message(config.text())));
        };
        if (dryRun)
            return dryRunOf(session, load, mouseImageToWrite(session));
        if (const int loaded = load(); loaded != ExitOk)
            return loaded;
        if (const int written = writeToMouse(session, QStringLiteral("writing"),
                                             QStringLiteral("writing to the mouse failed"),
                                             &ConfigurationTransfer::DownloadParameter);
            written != ExitOk)
            return written;
        if (desktopSettings)
            printOut(config.mouseSettingsPage().storeDescription(config.text()) +
                     QLatin1Char('\n'));
        return int(ExitOk);
    });
}

int runReset(const SessionOptions &options, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Write the embedded default configuration to the mouse, as the "
                       "window's Reset does.\n"
                       "Example: gaming-mousectl reset --dry-run"));
    parser.addOption(dryRunOption());
    int status = ExitOk;
    if (!parseCommand(parser, args, &status))
        return status;
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("reset takes no arguments"), ExitUsage);

    const bool dryRun = parser.isSet(dryRunOption());
    return withSession(options, [dryRun](MouseSession &session) {
        int result = ExitOk;
        if (!requireConnected(session, &result))
            return result;
        if (dryRun) {
            auto takeDefaults = [&session] {
                return session.link().transfer.takeDefaults()
                           ? int(ExitOk)
                           : fail(QStringLiteral("the embedded default configuration cannot "
                                                 "be read"));
            };
            return dryRunOf(session, takeDefaults, mouseImageToWrite(session));
        }
        return writeToMouse(session, QStringLiteral("resetting"),
                            QStringLiteral("resetting the mouse failed"),
                            &ConfigurationTransfer::DefaultParameter);
    });
}
