// The changing commands' frame: take the configuration in as the window
// would (read-all, or a profile file), let the page models make the change,
// then write it as Apply does or save the file in one step.
#include "edit_session.h"

#include "command_support.h"
#include "file_arguments.h"
#include "json_diff.h"
#include "macros/macro_names.h"
#include "show_output.h"

namespace {

// A profile file taken in as a family-A mouse of the default image's layout
// would take it after Load, so the file's own ParameterB and UserBreath are
// used; its macro area is kept whatever the family. `file` passed
// profileInPlace.
bool openProfile(MouseSession &session, const QString &file, QString *error)
{
    Configuration &config = session.config();
    AppState &state = config.state();
    state.DeviceLayoutCode = state.ImageLayoutCode;
    state.ChipFamilyA = true;
    state.ChipFamilyB = false;
    const ProfileFileResult read = readProfileImage(file, config.image());
    if (!read.ok()) {
        *error = read.message(config.text());
        return false;
    }
    config.MemoToDataBuf();
    return true;
}

} // namespace

QByteArray imageToWrite(MouseSession &session, bool onMouse, const QStringList &namesBefore)
{
    Configuration &config = session.config();
    ImageBuffers &image = config.image();
    if (onMouse)
        image.DataBuf.fill(char(0xFF), kParameterBlockSize);
    config.AssembleDataBuf();
    QByteArray table = image.MacroNameTable;
    const QStringList names = session.macros().macroNames();
    for (int slot = 0; slot < kMacroCount && slot < names.size(); ++slot) {
        const qsizetype at = qsizetype(slot) * kMacroNameEntrySize;
        if (names.at(slot) != namesBefore.value(slot) && at + kMacroNameEntrySize <= table.size())
            table.replace(at, kMacroNameEntrySize,
                          encodeMacroName(macroNameEntry(table, slot), names.at(slot)));
    }
    return image.DataBuf + table + image.MacroBlocks;
}

int printDryRun(const QJsonObject &shownBefore, const QJsonObject &shownAfter, bool bytesChange)
{
    const QStringList changes = jsonDifferences(shownBefore, shownAfter);
    if (changes.isEmpty())
        printOut(bytesChange ? QStringLiteral("no setting would change, but the stored bytes "
                                              "would\n")
                             : QStringLiteral("nothing would change\n"));
    else if (!bytesChange)
        printOut(changes.join(QLatin1Char('\n')) +
                 QStringLiteral("\nthe stored bytes would stay as they are: the configuration "
                                "stores none of these values (fire modes live only in Fire Mode "
                                "buttons)\n"));
    else
        printOut(changes.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return ExitOk;
}

std::function<QByteArray()> mouseImageToWrite(MouseSession &session)
{
    return [&session, names = session.macros().macroNames()] {
        return imageToWrite(session, true, names);
    };
}

int dryRunOf(MouseSession &session, const std::function<int()> &change,
             const std::function<QByteArray()> &bytes)
{
    const QByteArray before = bytes();
    const QJsonObject shown = describeConfiguration(session.config(), session.macros());
    if (const int status = change(); status != ExitOk)
        return status;
    return printDryRun(shown, describeConfiguration(session.config(), session.macros()),
                       bytes() != before);
}

namespace {

int write(MouseSession &session, const EditTarget &target, const QByteArray &image)
{
    if (!target.profile.isEmpty()) {
        const ProfileFileResult saved = writeProfileImage(target.profile, image);
        return saved.ok() ? int(ExitOk) : fail(saved.message(session.config().text()));
    }
    return writeToMouse(session, QStringLiteral("writing"),
                        QStringLiteral("writing to the mouse failed"),
                        &ConfigurationTransfer::DownloadParameter);
}

} // namespace

EditTargetOptions::EditTargetOptions()
    : m_profile(QStringLiteral("profile"),
                QStringLiteral("Change this profile file in place instead of the mouse."),
                QStringLiteral("FILE")),
      m_dryRun(QStringLiteral("dry-run"),
               QStringLiteral("Print what would change and write nothing.")),
      m_lang(QStringLiteral("lang"),
             QStringLiteral("Language of the DPI captions and messages: 1, 2 or 3 (default 1)."),
             QStringLiteral("N"), QStringLiteral("1"))
{}

void EditTargetOptions::addTo(QCommandLineParser &parser) const
{
    parser.addOptions({m_profile, m_dryRun, m_lang});
}

bool EditTargetOptions::read(const QCommandLineParser &parser, EditTarget *target,
                             int *status) const
{
    const QString language = parser.value(m_lang);
    if (language != u"1" && language != u"2" && language != u"3") {
        *status =
            fail(QStringLiteral("--lang must be 1, 2 or 3, not \"%1\"").arg(language), ExitUsage);
        return false;
    }
    target->language = language.toInt();
    if (parser.isSet(m_profile)) {
        QString error;
        const std::optional<QString> file = profileInPlace(parser.value(m_profile), &error, status);
        if (!file) {
            *status = fail(error, *status);
            return false;
        }
        target->profile = *file;
    }
    target->dryRun = parser.isSet(m_dryRun);
    return true;
}

int runEdits(const SessionOptions &options, const EditTarget &target, const EditPlan &plan)
{
    return withSession(options, [&](MouseSession &session) {
        Configuration &config = session.config();
        // Before the read, so the DPI levels are recognised by these captions.
        session.setLanguage(target.language);
        const bool onMouse = target.profile.isEmpty();
        int status = ExitOk;
        QString error;
        if (onMouse && !requireConnected(session, &status))
            return status;
        if (!onMouse && !openProfile(session, target.profile, &error))
            return fail(error);

        const QStringList namesBefore = session.macros().macroNames();
        const QByteArray before = imageToWrite(session, onMouse, namesBefore);
        const QJsonObject shownBefore = describeConfiguration(config, session.macros());

        const EditOutcome outcome = plan(session, onMouse);
        if (outcome.status != ExitOk)
            return fail(outcome.message, outcome.status);

        const QByteArray after = imageToWrite(session, onMouse, namesBefore);
        if (target.dryRun)
            return printDryRun(shownBefore, describeConfiguration(config, session.macros()),
                               after != before);
        if (after == before)
            return int(ExitOk);
        return write(session, target, after);
    });
}

EditPlan planOf(const QList<SettingEdit> &edits, bool declarative)
{
    return [edits, declarative](MouseSession &session, bool onMouse) {
        for (const SettingEdit &edit : edits) {
            EditOutcome outcome = applyEdit(session, edit, onMouse, declarative);
            if (outcome.status != 0)
                return outcome;
        }
        return EditOutcome{};
    };
}
