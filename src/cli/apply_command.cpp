// apply: a configuration described as `show --json` prints it. Every key
// present is applied in a fixed order through the same edits as the set,
// button and macro rename commands; a value the configuration already holds
// is left alone, so an unchanged description changes nothing.
#include "apply_shape.h"
#include "command_support.h"
#include "commands.h"
#include "edit_session.h"
#include "file_arguments.h"

#include "configuration/numeric_settings.h"
#include "settings/setting_declarations.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace {

// Far above what `show --json` prints for a mouse whose 32 macros are all
// full (under 1 MB), far below what would strain the machine.
constexpr qint64 kMaxDescriptionBytes = 4 << 20;

// A JSON number as it was given, as short as it is exact ("99999999999",
// "2.5"), for messages and the text parsers.
QString numberText(const QJsonValue &value)
{
    return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
}

// The macro slot an entry of "macros" names: its "slot", or its position.
QString macroSlotText(const QJsonObject &macro, qsizetype index)
{
    return macro.contains("slot") ? numberText(macro["slot"]) : QString::number(index);
}

// Each macro slot once, as each DPI level: a description that names a slot
// twice has no one meaning.
bool distinctMacroSlots(const QJsonArray &macros, QString *error)
{
    QStringList seen;
    for (qsizetype i = 0; i < macros.size(); ++i) {
        const QString slot = macroSlotText(macros.at(i).toObject(), i);
        if (seen.contains(slot)) {
            *error = QStringLiteral("macros[%1]: macro %2 is given twice").arg(i).arg(slot);
            return false;
        }
        seen.append(slot);
    }
    return true;
}

// --- the buttons, checked before the session ---------------------------------

// A button's "function", or without one its "code"; "text" is only shown.
std::optional<QList<SettingEdit>> buttonEdits(const QJsonObject &buttons, QString *error)
{
    QList<SettingEdit> edits;
    for (const char *profile : kProfileKeys) {
        const QJsonArray list = buttons[QLatin1String(profile)].toArray();
        QStringList exchanged; // what buttons 1-3 ask for
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QJsonObject entry = list.at(i).toObject();
            QString function = entry["function"].toString();
            if (!entry.contains("function") && entry.contains("code"))
                function = QStringLiteral("code:") + entry["code"].toString();
            if (!entry.contains("function") && !entry.contains("code"))
                continue;
            const auto edit =
                parseButtonEdit(QLatin1String(profile), QString::number(i + 1), function, error);
            if (!edit) {
                error->prepend(
                    QStringLiteral("buttons.%1[%2]: ").arg(QLatin1String(profile)).arg(i));
                return std::nullopt;
            }
            // Buttons 1-3 only exchange left, right and middle: a description
            // that gives two of them the same one cannot be reached, and
            // applying it in order would silently undo its own change.
            const bool mouseButton = settings::takesOnlyMouseButtons(int(i) + 1);
            if (mouseButton && exchanged.contains(function.trimmed().toLower())) {
                *error = QStringLiteral("buttons.%1: buttons 1-%2 exchange left, right and middle, "
                                        "so \"%3\" cannot be given twice")
                             .arg(QLatin1String(profile))
                             .arg(settings::kMouseButtonCount)
                             .arg(function);
                return std::nullopt;
            }
            if (mouseButton)
                exchanged.append(function.trimmed().toLower());
            edits.append(*edit);
        }
    }
    return edits;
}

// --- values compared with the configuration --------------------------------

QStringList selectedDpiCaptions(const AdvancedPageModel &page)
{
    QStringList captions;
    for (int level = 1; level <= settings::kDpiLevels.count; ++level) {
        if (page.dpiLevelSelected(level))
            captions.append(page.dpiCaption(level));
    }
    return captions;
}

EditOutcome dpiOutcome(MouseSession &session, const QJsonObject &dpi, int language,
                       QList<SettingEdit> &edits)
{
    if (!dpi.contains("levels") && !dpi.contains("current"))
        return {};
    const AdvancedPageModel &page = session.config().advancedPage();
    QStringList levels = selectedDpiCaptions(page);
    if (dpi.contains("levels")) {
        levels.clear();
        for (const QJsonValue level : dpi["levels"].toArray())
            levels.append(level.toString());
    }
    const QString current = dpi["current"].toString();
    if (levels == selectedDpiCaptions(page) &&
        (current.isEmpty() || current == page.dpiCaption(page.currentDpiLevel())))
        return {};
    QString error;
    const auto edit = parseDpiEdit(levels.join(QLatin1Char(',')), current, language, &error);
    if (!edit)
        return {ExitUsage, error};
    edits.append(*edit);
    return {};
}

EditOutcome advancedOutcome(MouseSession &session, const QJsonObject &root,
                            QList<SettingEdit> &edits)
{
    QString error;
    for (const NumericSetting &setting : numericSettings()) {
        const QJsonValue value = root[QLatin1String(setting.jsonKey)];
        if (value.isUndefined() || value.isNull())
            continue;
        const auto edit = parseNumericEdit(setting, numberText(value), &error);
        if (!edit)
            return {ExitUsage, error};
        edits.append(*edit);
    }
    const QJsonArray fireKeys = root["fireKeys"].toArray();
    for (qsizetype i = 0; i < fireKeys.size(); ++i) {
        FireKeyEdit edit;
        edit.key = int(i) + 1;
        const QJsonObject key = fireKeys.at(i).toObject();
        for (const auto &[name, field] :
             {std::pair{"repeat", &edit.repeat}, std::pair{"delay", &edit.delay}}) {
            if (!key.contains(QLatin1String(name)))
                continue;
            const QString given = numberText(key[QLatin1String(name)]);
            *field = wholeNumber(given);
            if (!*field)
                return {ExitUsage, QStringLiteral("fireKeys[%1]: %2")
                                       .arg(i)
                                       .arg(fireKeyValueError(field == &edit.delay, given))};
        }
        const auto checked = checkFireKeyEdit(edit, &error);
        if (!checked)
            return {ExitUsage, QStringLiteral("fireKeys[%1]: %2").arg(i).arg(error)};
        edits.append(*checked);
    }
    if (root.contains("fireModes")) {
        QStringList modes;
        QList<int> wanted;
        for (const QJsonValue mode : root["fireModes"].toArray()) {
            modes.append(numberText(mode));
            wanted.append(mode.toInt(-1));
        }
        QList<int> held;
        for (int mode = 1; mode <= settings::kFireModes.count; ++mode) {
            if (session.config().advancedPage().fireModeSelected(mode))
                held.append(mode);
        }
        if (wanted != held) {
            const auto edit = parseFireModesEdit(modes.join(QLatin1Char(',')), &error);
            if (!edit)
                return {ExitUsage, error};
            edits.append(*edit);
        }
    }
    return {};
}

EditOutcome lightOutcome(const QJsonObject &light, QList<SettingEdit> &edits)
{
    LightEdit edit;
    QString error;
    if (light.contains("mode")) {
        edit.mode = parseLightMode(light["mode"].toString(), &error);
        if (!edit.mode)
            return {ExitUsage, error};
    }
    const QStringList stepKeys = lightStepKeys();
    for (int s = 0; s < settings::kLightScaleCount; ++s) {
        const QString &key = stepKeys[s];
        if (!light.contains(key))
            continue;
        const QString given = numberText(light[key]);
        const QString what =
            QStringLiteral("light ") + QLatin1String(settings::kLightScales[s].name);
        // A whole number goes on to the page, which also takes the value it
        // already holds; anything else is no step.
        edit.steps[s] = wholeNumber(given);
        if (!edit.steps[s])
            return {ExitUsage, stepError(what, given)};
    }
    if (light.contains("colorMode")) {
        const ValueRange &modes = settings::kColourMode.range;
        const int mode = light["colorMode"].toInt(-1);
        if (!modes.contains(mode))
            return {ExitUsage, QStringLiteral("light colorMode: use %1")
                                   .arg(settings::alternatives(modes.values()))};
        edit.colourMode = BreathingPageModel::LedColourMode(mode);
    }
    if (light.contains("color1")) {
        const QJsonArray percent = light["color1"].toArray();
        std::array<int, 3> components{};
        bool ok = percent.size() == 3;
        for (int c = 0; ok && c < 3; ++c) {
            const int p = percent.at(c).toInt(-1);
            ok = p >= 0 && p <= 100;
            components[c] = BreathingPageModel::componentStoringPercent(p);
        }
        if (!ok)
            return {ExitUsage, QStringLiteral("light color1: three percentages 0-100")};
        edit.colour = Rgb{components[0], components[1], components[2]};
    }
    if (!edit.empty())
        edits.append(edit);
    return {};
}

EditOutcome macroOutcome(MouseSession &session, const QJsonArray &macros, QList<SettingEdit> &edits)
{
    for (qsizetype i = 0; i < macros.size(); ++i) {
        const QJsonObject macro = macros.at(i).toObject();
        if (!macro.contains("name"))
            continue;
        const QString slot = macroSlotText(macro, i);
        const QString name = macro["name"].toString();
        const std::optional<int> number = wholeNumber(slot);
        if (number && session.macros().macroNames().value(*number) == name)
            continue;
        QString error;
        const auto edit = parseMacroNameEdit(slot, name, &error);
        if (!edit)
            return {ExitUsage, QStringLiteral("macros[%1]: %2").arg(i).arg(error)};
        edits.append(*edit);
    }
    return {};
}

} // namespace

int runApply(const SessionOptions &options, const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "Apply a configuration described in JSON as `show --json` prints it (FILE, or - for "
            "standard input). Every key present is applied, in this order: dpi (levels, current), "
            "%1, fireKeys, fireModes, light (mode, steps, colorMode, color1), macros "
            "(names), buttons main, switch, fixed (each button's \"function\", or its \"code\"). "
            "Absent keys, and values the configuration already holds, are left as they are; "
            "layoutCode, vendorId, productId, profile, dpi.slots, light.bypassed, light.color2, "
            "the macros' length and lines and the buttons' text are only shown and are ignored. "
            "DPI captions are read in the language of --lang.\n"
            "Example: gaming-mousectl show --json > mouse.json; (edit it); gaming-mousectl apply "
            "mouse.json")
            .arg(numericJsonKeys().join(QStringLiteral(", "))));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The JSON description."));
    EditTargetOptions targetOptions;
    targetOptions.addTo(parser);
    EditTarget target;
    int status = ExitOk;
    if (!parseCommand(parser, args, &status) || !targetOptions.read(parser, &target, &status))
        return status;
    if (parser.positionalArguments().size() != 1)
        return fail(QStringLiteral("apply needs exactly one FILE"), ExitUsage);
    const QString file = parser.positionalArguments().first();
    QString error = emptyValueError(file, QStringLiteral("apply"));
    if (!error.isEmpty())
        return fail(error, ExitUsage);
    const std::optional<QByteArray> text =
        readTextArgument(file, kMaxDescriptionBytes, &error, &status);
    if (!text)
        return fail(error, status);
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(*text, &parseError);
    if (!document.isObject())
        return fail(QStringLiteral("\"%1\" is no JSON object: %2")
                        .arg(file, parseError.error == QJsonParseError::NoError
                                       ? QStringLiteral("the top level is not an object")
                                       : parseError.errorString()),
                    ExitUsage);
    const QJsonObject root = document.object();
    if (!checkShape(root, &error) || !distinctMacroSlots(root["macros"].toArray(), &error))
        return fail(error, ExitUsage);
    const auto buttons = buttonEdits(root["buttons"].toObject(), &error);
    if (!buttons)
        return fail(error, ExitUsage);

    const int language = target.language;
    return runEdits(
        options, target, [root, buttons, language](MouseSession &session, bool onMouse) {
            // Values are compared with what the configuration holds as each group is
            // reached, so an earlier group's change is seen by a later one.
            using Group = std::function<EditOutcome(QList<SettingEdit> &)>;
            const Group groups[] = {
                [&](QList<SettingEdit> &e) {
                    return dpiOutcome(session, root["dpi"].toObject(), language, e);
                },
                [&](QList<SettingEdit> &e) { return advancedOutcome(session, root, e); },
                [&](QList<SettingEdit> &e) { return lightOutcome(root["light"].toObject(), e); },
                [&](QList<SettingEdit> &e) {
                    return macroOutcome(session, root["macros"].toArray(), e);
                },
                [&](QList<SettingEdit> &e) {
                    e = *buttons;
                    return EditOutcome{};
                },
            };
            for (const Group &group : groups) {
                QList<SettingEdit> edits;
                EditOutcome outcome = group(edits);
                if (outcome.status == ExitOk)
                    outcome = planOf(edits, true)(session, onMouse);
                if (outcome.status != ExitOk)
                    return outcome;
            }
            return EditOutcome{};
        });
}
