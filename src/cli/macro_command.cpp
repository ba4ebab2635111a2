// macro export/export-all/import/import-all: the macro page's four file
// buttons, on the mouse (read, change, write) or on a profile file in place.
#include "command_support.h"
#include "commands.h"
#include "edit_session.h"
#include "file_arguments.h"
#include "image/default_image.h"
#include "macros/macro_files.h"

namespace {

enum class MacroAction
{
    ExportOne,
    ExportAll,
    ImportOne,
    ImportAll
};

struct MacroRequest
{
    MacroAction action = MacroAction::ExportOne;
    int slot = -1; // the single-macro forms only
    QString file;
    QString profile;     // empty: the mouse
    bool dryRun = false; // imports only
};

bool isExport(MacroAction action)
{
    return action == MacroAction::ExportOne || action == MacroAction::ExportAll;
}

// Runs an export into exactly request.file ("-": standard output).
bool exportTo(const ImageBuffers &image, const MacroRequest &request, const TextLookup &text,
              QString *error)
{
    OutputFile file;
    if (!file.open(request.file, error))
        return false;
    const MacroFileResult result = request.action == MacroAction::ExportOne
                                       ? writeOneMacroFile(image, request.slot, file.path())
                                       : writeAllMacrosFile(image, file.path());
    if (!result) {
        *error = file.shown(result.message(text));
        return false;
    }
    return file.finish(error);
}

// The macro file of an import ("-": standard input), ready to read.
bool importFrom(InputFile &file, const MacroRequest &request, QString *error)
{
    return file.open(request.file, error);
}

// On a profile file (passed profileInPlace): only the macro area changes,
// every other byte of the file stays as it was.
int onProfile(MouseSession &session, const MacroRequest &request)
{
    const TextLookup &text = session.config().text();
    QString error;
    ImageBuffers &image = session.config().image();
    const ProfileFileResult loaded = readProfileImage(request.profile, image);
    if (!loaded.ok())
        return fail(loaded.message(text));
    if (isExport(request.action))
        return exportTo(image, request, text, &error) ? int(ExitOk) : fail(error);

    InputFile file;
    if (!importFrom(file, request, &error))
        return fail(error);
    MacroEditor &macros = session.macros();
    macros.RefreshMacroName();
    auto import = [&] {
        const MacroFileResult imported = request.action == MacroAction::ImportOne
                                             ? importOneMacro(image, request.slot, file.path())
                                             : importAllMacros(image, file.path());
        macros.RefreshMacroName();
        return imported ? int(ExitOk) : fail(file.shown(imported.message(text)));
    };
    if (request.dryRun)
        return dryRunOf(session, import, [&image] { return joinImage(image); });
    if (const int status = import(); status != ExitOk)
        return status;
    const ProfileFileResult saved = writeProfileImage(request.profile, joinImage(image));
    if (!saved.ok())
        return fail(saved.message(text));
    return ExitOk;
}

int onMouse(MouseSession &session, const MacroRequest &request)
{
    int status = ExitOk;
    if (!requireConnected(session, &status))
        return status;
    if (!session.config().state().ChipFamilyB)
        return fail(QStringLiteral("the connected mouse (chip family A) has no macro memory"));

    Configuration &config = session.config();
    MacroEditor &macros = session.macros();
    QString error;
    switch (request.action) {
    case MacroAction::ExportOne:
    case MacroAction::ExportAll:
        return exportTo(config.image(), request, config.text(), &error) ? int(ExitOk) : fail(error);
    case MacroAction::ImportOne:
    case MacroAction::ImportAll: {
        InputFile file;
        if (!importFrom(file, request, &error))
            return fail(error);
        auto import = [&] {
            if (request.action == MacroAction::ImportOne)
                macros.selectMacro(request.slot);
            const MacroFileResult imported = request.action == MacroAction::ImportOne
                                                 ? macros.importOne(file.path())
                                                 : macros.importAll(file.path());
            return imported ? int(ExitOk) : fail(file.shown(imported.message(config.text())));
        };
        if (request.dryRun)
            return dryRunOf(session, import, mouseImageToWrite(session));
        if (const int status = import(); status != ExitOk)
            return status;
        return writeToMouse(session, QStringLiteral("writing"),
                            QStringLiteral("writing to the mouse failed"),
                            &ConfigurationTransfer::DownloadParameter);
    }
    }
    return ExitOk;
}

} // namespace

int runMacro(const SessionOptions &options, const QStringList &args)
{
    if (args.value(1) == u"rename")
        return runMacroRename(options,
                              QStringList{args.first() + QStringLiteral(" rename")} + args.mid(2));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Export or import macro files: one macro (1056 bytes) or all 32 (33792 bytes).\n"
        "  export N FILE      macro N (0-31) into FILE\n"
        "  export-all FILE    all macros into FILE\n"
        "  import N FILE      FILE into macro N\n"
        "  import-all FILE    FILE into all macros\n"
        "  rename N NAME      (rename --help for its own options)\n"
        "Imports are written to the mouse at once; with --profile the profile file is "
        "changed in place instead.\n"
        "Examples: gaming-mousectl macro export 3 jump.bin\n"
        "          gaming-mousectl macro import 5 jump.bin --dry-run"));
    parser.addPositionalArgument(QStringLiteral("ACTION"),
                                 QStringLiteral("export, export-all, import or import-all."));
    parser.addPositionalArgument(QStringLiteral("ARGS"), QStringLiteral("[N] FILE"));
    const QCommandLineOption profile(
        QStringLiteral("profile"),
        QStringLiteral("Work on this profile file instead of the mouse."), QStringLiteral("FILE"));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        QStringLiteral("Imports only: print what the import would change and write nothing."));
    parser.addOptions({profile, dryRun});
    int status = ExitOk;
    if (!parseCommand(parser, args, &status))
        return status;

    QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return fail(QStringLiteral("macro needs an action: export, export-all, import or "
                                   "import-all"),
                    ExitUsage);
    const QString action = words.takeFirst();
    MacroRequest request;
    if (action == u"export")
        request.action = MacroAction::ExportOne;
    else if (action == u"export-all")
        request.action = MacroAction::ExportAll;
    else if (action == u"import")
        request.action = MacroAction::ImportOne;
    else if (action == u"import-all")
        request.action = MacroAction::ImportAll;
    else
        return fail(QStringLiteral("unknown macro action \"%1\"").arg(action), ExitUsage);

    const bool single =
        request.action == MacroAction::ExportOne || request.action == MacroAction::ImportOne;
    if (words.size() != (single ? 2 : 1))
        return fail(QStringLiteral("macro %1 needs %2").arg(action, single ? "N FILE" : "FILE"),
                    ExitUsage);
    if (single) {
        bool number = false;
        request.slot = words.first().toInt(&number);
        if (!number || request.slot < 0 || request.slot >= kMacroCount)
            return fail(
                QStringLiteral("the macro number must be 0 to 31, not \"%1\"").arg(words.first()),
                ExitUsage);
    }
    request.dryRun = parser.isSet(dryRun);
    if (request.dryRun && isExport(request.action))
        return fail(QStringLiteral("--dry-run is for imports: an export changes neither the "
                                   "mouse nor a profile"),
                    ExitUsage);
    request.file = words.last();
    const QString empty = emptyValueError(request.file, QStringLiteral("macro %1").arg(action));
    if (!empty.isEmpty())
        return fail(empty, ExitUsage);
    if (parser.isSet(profile)) {
        // Read, and for imports replaced: only a profile file will do.
        QString error;
        const std::optional<QString> file = profileInPlace(parser.value(profile), &error, &status);
        if (!file)
            return fail(error, status);
        request.profile = *file;
    }

    return withSession(options, [&request](MouseSession &session) {
        return request.profile.isEmpty() ? onMouse(session, request) : onProfile(session, request);
    });
}
