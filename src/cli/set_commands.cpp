// set, button and macro rename: one setting changed through the page
// models, then written as Apply writes it (or the profile file saved).
#include "command_support.h"
#include "commands.h"
#include "edit_session.h"

#include "configuration/numeric_settings.h"
#include "settings/setting_declarations.h"

namespace {

// The settings that take one number of their own come from their
// declarations; the others have commands of their own below.
const char *const kOwnSettings[] = {"fire-key", "fire-modes", "light"};

// What a setting's values look like in a usage line: "1000|500", "1-10".
QString valuesText(const ValueRange &range)
{
    const QStringList values = range.values();
    return values.size() <= 2 ? values.join(QLatin1Char('|')) : range.text();
}

QString setSummary()
{
    QString summary =
        QStringLiteral(
            "Change one setting and write the configuration as Apply does: on the mouse (read, "
            "change, write-all) or, with --profile FILE, the file in place.\n"
            "  dpi LEVELS [--current LEVEL]   %1 DPI levels by their captions\n")
            .arg(settings::kDpiLevels.choiceText());
    for (const NumericSetting &setting : numericSettings())
        summary += QStringLiteral("  %1 %2\n")
                       .arg(QLatin1String(setting.declaration.name),
                            valuesText(setting.declaration.range));
    summary += QStringLiteral("  fire-key N [--repeat R] [--delay MS]\n"
                              "  fire-modes M[,M...]            %1 fire modes %2\n"
                              "  light [--mode ...] [--off S] [--raise S] [--on S] [--fall S] "
                              "[--colour-mode %3] [--colour RRGGBB]\n"
                              "SETTING --help for each.")
                   .arg(settings::kFireModes.choiceText(), settings::kFireMode.range.text(),
                        valuesText(settings::kColourMode.range));
    return summary;
}

// Every setting `set` takes, in the order help lists them.
QStringList settingNames()
{
    QStringList names{QStringLiteral("dpi")};
    for (const NumericSetting &setting : numericSettings())
        names.append(QLatin1String(setting.declaration.name));
    for (const char *name : kOwnSettings)
        names.append(QLatin1String(name));
    return names;
}

// The values of a setting as completion names it: a setting of one number,
// one of the numbered arguments of the other commands, or the light's modes.
std::optional<QStringList> declaredValues(const QString &name)
{
    if (const NumericSetting *setting = numericSetting(name))
        return setting->declaration.range.values();
    if (name == u"light-mode")
        return settings::lightModeNames();
    const std::pair<const char *, const SettingDeclaration *> arguments[] = {
        {"fire-key", &settings::kFireKey},
        {"button", &settings::kButton},
        {"step", &settings::kLightStep},
        {"colour-mode", &settings::kColourMode},
    };
    for (const auto &[argument, declared] : arguments) {
        if (name == QLatin1String(argument))
            return declared->range.values();
    }
    return std::nullopt;
}

// Parses the setting's own arguments; args[0] names the command.
bool parseSetting(QCommandLineParser &parser, const EditTargetOptions &targetOptions,
                  const QStringList &args, EditTarget *target, int *status)
{
    targetOptions.addTo(parser);
    return parseCommand(parser, args, status) && targetOptions.read(parser, target, status);
}

int usage(const QString &message)
{
    return fail(message, ExitUsage);
}

int runEditsOf(const SessionOptions &options, const EditTarget &target, const SettingEdit &edit)
{
    return runEdits(options, target, planOf({edit}, false));
}

int setDpi(const SessionOptions &options, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "Select %1 DPI levels by their captions in the language of --lang (English: "
            "800, 1000, 1200, 1600, 2400, 3200, 4800, 6400). The current level stays when it is "
            "among them, otherwise the lowest becomes current.\n"
            "Example: gaming-mousectl set dpi 800,1600,3200 --current 1600")
            .arg(settings::kDpiLevels.choiceText()));
    parser.addPositionalArgument(QStringLiteral("LEVELS"),
                                 QStringLiteral("Captions separated by commas."));
    const QCommandLineOption current(QStringLiteral("current"),
                                     QStringLiteral("The current level, one of LEVELS."),
                                     QStringLiteral("LEVEL"));
    parser.addOption(current);
    EditTargetOptions targetOptions;
    EditTarget target;
    int status = ExitOk;
    if (!parseSetting(parser, targetOptions, args, &target, &status))
        return status;
    if (parser.positionalArguments().size() != 1)
        return usage(QStringLiteral("set dpi needs LEVELS, e.g. 800,1600,3200"));
    if (parser.isSet(current) && parser.value(current).isEmpty())
        return usage(QStringLiteral("--current needs a LEVEL"));
    QString error;
    const auto edit = parseDpiEdit(parser.positionalArguments().first(), parser.value(current),
                                   target.language, &error);
    return edit ? runEditsOf(options, target, *edit) : usage(error);
}

// A setting given by one value: the parser's own options, then the value
// checked by `parse` (which names what is accepted when it refuses).
template <typename Parse>
int runOneValueSetting(const SessionOptions &options, const QStringList &args,
                       QCommandLineParser &parser, const QString &missing, Parse parse)
{
    EditTargetOptions targetOptions;
    EditTarget target;
    int status = ExitOk;
    if (!parseSetting(parser, targetOptions, args, &target, &status))
        return status;
    if (parser.positionalArguments().size() != 1)
        return usage(missing);
    QString error;
    const auto edit = parse(parser.positionalArguments().first(), &error);
    return edit ? runEditsOf(options, target, *edit) : usage(error);
}

// `set NAME VALUE` for a setting declared as one number of its own.
int setNumeric(const NumericSetting &setting, const SessionOptions &options,
               const QStringList &args)
{
    const SettingDeclaration &declared = setting.declaration;
    const QString name = QLatin1String(declared.name);
    const QString unit = QLatin1String(declared.unit);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("%1\nExample: gaming-mousectl set %2 %3")
            .arg(QLatin1String(setting.help), name, declared.range.values().constFirst()));
    parser.addPositionalArgument(
        QLatin1String(setting.valueName),
        QStringLiteral("%1%2.").arg(
            declared.range.text(), unit.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(unit)));
    // For shell completion: the values come from the declaration.
    const QCommandLineOption listValues(
        QStringLiteral("list-values"),
        QStringLiteral("Print the values it takes, one a line, and do nothing else."));
    parser.addOption(listValues);
    if (args.contains(QStringLiteral("--list-values"))) {
        printOut(declared.range.values().join(QLatin1Char('\n')) + QLatin1Char('\n'));
        return ExitOk;
    }
    return runOneValueSetting(options, args, parser,
                              QStringLiteral("set %1 needs %2").arg(name, declared.range.text()),
                              [&setting](const QString &value, QString *error) {
                                  return parseNumericEdit(setting, value, error);
                              });
}

int setFireKey(const SessionOptions &options, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Set fire key N's repeat count (%1) and delay (%2 %3). Buttons keep "
                       "the code they have, as on the page.\n"
                       "Example: gaming-mousectl set fire-key 2 --repeat 3 --delay 40")
            .arg(settings::kRepeat.range.text(), settings::kDelay.range.text(),
                 QLatin1String(settings::kDelay.unit)));
    parser.addPositionalArgument(
        QStringLiteral("N"),
        QStringLiteral("The fire key, %1.").arg(settings::kFireKey.range.text()));
    const QCommandLineOption repeat(QStringLiteral("repeat"), QStringLiteral("Repeat count."),
                                    QStringLiteral("R"));
    const QCommandLineOption delay(QStringLiteral("delay"), QStringLiteral("Delay in ms."),
                                   QStringLiteral("MS"));
    parser.addOptions({repeat, delay});
    EditTargetOptions targetOptions;
    EditTarget target;
    int status = ExitOk;
    if (!parseSetting(parser, targetOptions, args, &target, &status))
        return status;
    if (parser.positionalArguments().size() != 1)
        return usage(
            QStringLiteral("set fire-key needs N (%1)").arg(settings::kFireKey.range.text()));
    if (!parser.isSet(repeat) && !parser.isSet(delay))
        return usage(QStringLiteral("set fire-key needs --repeat or --delay"));
    FireKeyEdit edit;
    const std::optional<int> key = wholeNumber(parser.positionalArguments().first());
    if (!key)
        return usage(QStringLiteral("%1 \"%2\": use %3")
                         .arg(QLatin1String(settings::kFireKey.name),
                              parser.positionalArguments().first(),
                              settings::kFireKey.range.text()));
    edit.key = *key;
    for (const auto &[option, field] :
         {std::pair{&repeat, &edit.repeat}, std::pair{&delay, &edit.delay}}) {
        if (!parser.isSet(*option))
            continue;
        *field = wholeNumber(parser.value(*option));
        if (!*field)
            return usage(QStringLiteral("--%1 \"%2\" is not a number")
                             .arg(option->names().first(), parser.value(*option)));
    }
    QString error;
    const auto checked = checkFireKeyEdit(edit, &error);
    return checked ? runEditsOf(options, target, *checked) : usage(error);
}

int setFireModes(const SessionOptions &options, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Choose the fire modes a Fire Mode button cycles through: %1 of %2.\n"
                       "Example: gaming-mousectl set fire-modes 1,3")
            .arg(settings::kFireModes.choiceText(), settings::kFireMode.range.text()));
    parser.addPositionalArgument(QStringLiteral("MODES"),
                                 QStringLiteral("Modes separated by commas."));
    return runOneValueSetting(options, args, parser,
                              QStringLiteral("set fire-modes needs MODES, e.g. 1,3"),
                              parseFireModesEdit);
}

int setLight(const SessionOptions &options, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "Set the breathing light. Steps are %1; the colour is colour 1, stored as the colour "
            "dialog stores it (percentages, c x 100 / 255) and chosen only in colour mode 1. "
            "Refused while the configuration bypasses the light settings.\n"
            "Example: gaming-mousectl set light --mode custom --on 8 --colour-mode 1 --colour "
            "FF8000")
            .arg(settings::kLightStep.range.text()));
    const QCommandLineOption mode(QStringLiteral("mode"),
                                  settings::alternatives(settings::lightModeNames()) +
                                      QLatin1Char('.'),
                                  QStringLiteral("MODE"));
    parser.addOption(mode);
    QList<QCommandLineOption> scales;
    for (const settings::LightScaleDeclaration &scale : settings::kLightScales) {
        scales.append(QCommandLineOption(QLatin1String(scale.name), QLatin1String(scale.caption),
                                         QStringLiteral("S")));
        parser.addOption(scales.constLast());
    }
    const QCommandLineOption colourMode(
        QLatin1String(settings::kColourMode.name),
        QStringLiteral("LED colour mode, %1.")
            .arg(settings::alternatives(settings::kColourMode.range.values())),
        valuesText(settings::kColourMode.range));
    const QCommandLineOption colour(QStringLiteral("colour"),
                                    QStringLiteral("Colour 1 as six hex digits."),
                                    QStringLiteral("RRGGBB"));
    parser.addOptions({colourMode, colour});
    EditTargetOptions targetOptions;
    EditTarget target;
    int status = ExitOk;
    if (!parseSetting(parser, targetOptions, args, &target, &status))
        return status;
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("set light takes only options"));

    LightEdit edit;
    QString error;
    if (parser.isSet(mode)) {
        edit.mode = parseLightMode(parser.value(mode), &error);
        if (!edit.mode)
            return usage(error);
    }
    for (int s = 0; s < settings::kLightScaleCount; ++s) {
        if (!parser.isSet(scales[s]))
            continue;
        const QString name = scales[s].names().first();
        const std::optional<int> step = wholeNumber(parser.value(scales[s]));
        edit.steps[s] = step ? checkStep(name, *step, &error) : std::nullopt;
        if (!edit.steps[s])
            return usage(step ? error
                              : stepError(name, QLatin1Char('"') + parser.value(scales[s]) +
                                                    QLatin1Char('"')));
    }
    if (parser.isSet(colourMode)) {
        edit.colourMode = parseColourMode(parser.value(colourMode), &error);
        if (!edit.colourMode)
            return usage(error);
    }
    if (parser.isSet(colour)) {
        edit.colour = parseColour(parser.value(colour), &error);
        if (!edit.colour)
            return usage(error);
    }
    if (edit.empty())
        return usage(QStringLiteral("set light needs at least one option (see --help)"));
    return runEditsOf(options, target, edit);
}

} // namespace

int runSet(const SessionOptions &options, const QStringList &args)
{
    using Setting = int (*)(const SessionOptions &, const QStringList &);
    const std::pair<const char *, Setting> own[] = {
        {"dpi", setDpi},
        {"fire-key", setFireKey},
        {"fire-modes", setFireModes},
        {"light", setLight},
    };
    const QString what = args.value(1);
    const QStringList rest = QStringList{args.first() + QLatin1Char(' ') + what} + args.mid(2);
    for (const auto &[name, run] : own) {
        if (what == QLatin1String(name))
            return run(options, rest);
    }
    if (const NumericSetting *setting = numericSetting(what))
        return setNumeric(*setting, options, rest);
    // For shell completion: the names as `set` takes them, and the values
    // a declared setting takes.
    if (what == u"--list-settings") {
        printOut(settingNames().join(QLatin1Char('\n')) + QLatin1Char('\n'));
        return ExitOk;
    }
    if (what == u"--list-values") {
        const std::optional<QStringList> values = declaredValues(args.value(2));
        if (!values)
            return usage(QStringLiteral("no declared values for \"%1\"").arg(args.value(2)));
        printOut(values->join(QLatin1Char('\n')) + QLatin1Char('\n'));
        return ExitOk;
    }
    if (what.isEmpty() || what == u"-h" || what == u"--help") {
        printOut(QStringLiteral("Usage: %1 SETTING ARGS [--profile FILE] [--dry-run] "
                                "[--lang N]\n\n%2\n")
                     .arg(args.first(), setSummary()));
        return what.isEmpty() ? fail(QStringLiteral("set needs a SETTING"), ExitUsage) : ExitOk;
    }
    QStringList names = settingNames();
    const QString last = names.takeLast();
    return usage(QStringLiteral("unknown setting \"%1\": use %2 or %3")
                     .arg(what, names.join(QStringLiteral(", ")), last));
}

int runButton(const SessionOptions &options, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Give button N (%2) of profile main or switch a function, as its "
                       "menu would. Buttons 1-%3 take left, right or middle, exchanged among "
                       "them. The fixed profile can only be viewed; switch needs a "
                       "kb-switch button on main.\n"
                       "FUNCTION: %1; macro:N (0-31, family B); keys:MODS+KEY[+KEY] "
                       "(modifiers ctrl, shift, alt, win; keys named as in the key tables, "
                       "e.g. keys:ctrl+alt+a, keys:a+b, keys:page-up); code:XXXXXXXX.\n"
                       "Examples:\n"
                       "  gaming-mousectl button main 1 right\n"
                       "  gaming-mousectl button main 5 back\n"
                       "  gaming-mousectl button main 6 keys:ctrl+c")
            .arg(MenuFunctionNames().join(QStringLiteral(", ")), settings::kButton.range.text())
            .arg(settings::kMouseButtonCount));
    parser.addPositionalArgument(QStringLiteral("PROFILE"),
                                 QStringLiteral("main, switch or fixed."));
    parser.addPositionalArgument(
        QStringLiteral("N"), QStringLiteral("The button, %1.").arg(settings::kButton.range.text()));
    parser.addPositionalArgument(QStringLiteral("FUNCTION"), QStringLiteral("What it does."));
    // For shell completion: the names come from the one table the program uses.
    const QCommandLineOption listFunctions(
        QStringLiteral("list-functions"),
        QStringLiteral("Print the menu functions' names, one a line, and do nothing else."));
    parser.addOption(listFunctions);
    EditTargetOptions targetOptions;
    EditTarget target;
    int status = ExitOk;
    if (!parseSetting(parser, targetOptions, args, &target, &status))
        return status;
    if (parser.isSet(listFunctions)) {
        printOut(MenuFunctionNames().join(QLatin1Char('\n')) + QLatin1Char('\n'));
        return ExitOk;
    }
    const QStringList words = parser.positionalArguments();
    if (words.size() != 3)
        return usage(QStringLiteral("button needs PROFILE N FUNCTION"));
    QString error;
    const auto edit = parseButtonEdit(words[0], words[1], words[2], &error);
    return edit ? runEditsOf(options, target, *edit) : usage(error);
}

int runMacroRename(const SessionOptions &options, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Rename macro N (0-31); at most 14 characters. The name reaches the mouse with the "
        "write, as in the window.\n"
        "Example: gaming-mousectl macro rename 3 \"reload\""));
    parser.addPositionalArgument(QStringLiteral("N"), QStringLiteral("The macro, 0-31."));
    parser.addPositionalArgument(QStringLiteral("NAME"), QStringLiteral("Its new name."));
    EditTargetOptions targetOptions;
    EditTarget target;
    int status = ExitOk;
    if (!parseSetting(parser, targetOptions, args, &target, &status))
        return status;
    const QStringList words = parser.positionalArguments();
    if (words.size() != 2)
        return usage(QStringLiteral("macro rename needs N NAME"));
    QString error;
    const auto edit = parseMacroNameEdit(words[0], words[1], &error);
    return edit ? runEditsOf(options, target, *edit) : usage(error);
}
