// show: a profile file, or the connected mouse after its read-all, as the
// pages would show it.
#include "command_support.h"
#include "commands.h"
#include "file_arguments.h"
#include "show_output.h"

#include <QJsonDocument>

namespace {

struct ShowChoices
{
    QString file;
    bool json = false;
    int language = 1;
    int layout = 0; // 0: validated as with no mouse identified
    bool familyB = false;
};

// Takes the file into the configuration as a load does, for a mouse that is
// only pretended (or not at all).
bool loadForShow(MouseSession &session, const ShowChoices &choices, QString *error)
{
    Configuration &config = session.config();
    AppState &state = config.state();
    if (choices.layout != 0) {
        state.DeviceLayoutCode = choices.layout;
        state.ChipFamilyA = !choices.familyB;
        state.ChipFamilyB = choices.familyB;
    }
    InputFile file;
    if (!file.open(choices.file, error))
        return false;
    const ProfileFileResult read = readProfileImage(file.path(), config.image());
    if (!read.ok()) {
        *error = file.shown(read.message(config.text()));
        return false;
    }
    config.MemoToDataBuf();
    return true;
}

} // namespace

int runShow(const SessionOptions &options, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Print the configuration of a profile file, or without FILE of the "
                       "connected mouse, as the pages would show it.\n"
                       "Examples: gaming-mousectl show\n"
                       "          gaming-mousectl show --json > mouse.json"));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The profile file (default: the mouse)."),
                                 QStringLiteral("[FILE]"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print JSON."));
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("Language of the texts: 1, 2 or 3 (default 1)."),
                                  QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption layout(
        QStringLiteral("layout"),
        QStringLiteral("Validate the file as with a mouse of this layout connected: 42 or 58."),
        QStringLiteral("42|58"));
    const QCommandLineOption family(
        QStringLiteral("family"),
        QStringLiteral("Chip family of that mouse: a or b (default a; needs --layout)."),
        QStringLiteral("a|b"));
    parser.addOptions({json, lang, layout, family});
    int status = ExitOk;
    if (!parseCommand(parser, args, &status))
        return status;

    ShowChoices choices;
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return fail(QStringLiteral("show takes at most one FILE"), ExitUsage);
    if (files.size() == 1) {
        if (const QString empty = emptyValueError(files.first(), QStringLiteral("show"));
            !empty.isEmpty())
            return fail(empty, ExitUsage);
    }
    choices.file = files.value(0);
    choices.json = parser.isSet(json);
    const QString language = parser.value(lang);
    if (language != u"1" && language != u"2" && language != u"3")
        return fail(QStringLiteral("--lang must be 1, 2 or 3, not \"%1\"").arg(language),
                    ExitUsage);
    choices.language = language.toInt();
    if (parser.isSet(layout)) {
        const QString value = parser.value(layout);
        if (value != u"42" && value != u"58")
            return fail(QStringLiteral("--layout must be 42 or 58, not \"%1\"").arg(value),
                        ExitUsage);
        choices.layout = value.toInt();
    }
    if (parser.isSet(family)) {
        const QString value = parser.value(family).toLower();
        if (value != u"a" && value != u"b")
            return fail(QStringLiteral("--family must be a or b, not \"%1\"").arg(value),
                        ExitUsage);
        if (choices.layout == 0)
            return fail(QStringLiteral("--family needs --layout"), ExitUsage);
        choices.familyB = value == u"b";
    }
    if (choices.file.isEmpty() && choices.layout != 0)
        return fail(QStringLiteral("--layout and --family apply to a FILE; the mouse reports "
                                   "its own"),
                    ExitUsage);

    return withSession(options, [&choices](MouseSession &session) {
        session.setLanguage(choices.language);
        if (choices.file.isEmpty()) {
            int result = ExitOk;
            if (!requireConnected(session, &result))
                return result;
        } else {
            QString error;
            if (!loadForShow(session, choices, &error))
                return fail(error);
        }
        const QJsonObject shown = describeConfiguration(session.config(), session.macros());
        printOut(choices.json
                     ? QString::fromUtf8(QJsonDocument(shown).toJson(QJsonDocument::Compact)) +
                           QLatin1Char('\n')
                     : configurationText(shown));
        return int(ExitOk);
    });
}
