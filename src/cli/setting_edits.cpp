#include "setting_edits.h"

#include "macros/macro_names.h"
#include "mouse_session.h"
#include "settings/setting_declarations.h"
#include "ui/language.h"

namespace {

using Scale = BreathingPageModel::Scale;

// A list "a,b,c" of whole numbers within `declared`'s range, each once.
std::optional<QList<int>> numberList(const SettingDeclaration &declared, const QString &text,
                                     QString *error)
{
    QList<int> numbers;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const std::optional<int> n = wholeNumber(part);
        if (!n || !declared.range.contains(*n) || numbers.contains(*n)) {
            *error = QStringLiteral("%1 \"%2\": give distinct numbers %3, separated by commas")
                         .arg(QLatin1String(declared.name), part.trimmed(), declared.range.text());
            return std::nullopt;
        }
        numbers.append(*n);
    }
    return numbers;
}

QString textOr(const Configuration &config, const char *key, const char *english)
{
    const QString text = config.text() ? config.text()(QString::fromLatin1(key)) : QString();
    return text.isEmpty() ? QString::fromLatin1(english) : text;
}

FunctionCode requestedCode(const FunctionRequest &request, const CodeTextContext &context)
{
    switch (request.kind) {
    case FunctionRequest::Kind::Choice:
        return CodeFromChoice(request.choice, context);
    case FunctionRequest::Kind::Macro:
        return MacroSlotCode(request.macroSlot);
    case FunctionRequest::Kind::Keys:
    case FunctionRequest::Kind::Code:
        break;
    }
    return request.code;
}

EditOutcome refused(const QString &message)
{
    return {1, message};
}

EditOutcome badValue(const QString &message)
{
    return {2, message};
}

const QString kNoMacroMemory =
    QStringLiteral("the connected mouse (chip family A) has no macro memory");

EditOutcome applyDpi(Configuration &config, const DpiEdit &edit, bool declarative)
{
    AdvancedPageModel &page = config.advancedPage();
    bool same = edit.current == 0 || page.currentDpiLevel() == edit.current;
    for (int level = 1; level <= AdvancedPageModel::kDpiLevelCount; ++level)
        same = same && page.dpiLevelSelected(level) == edit.levels.contains(level);
    if (declarative && same)
        return {};
    if (!page.selectDpiLevels(edit.levels))
        return badValue(QStringLiteral("the DPI levels must be %1 distinct levels")
                            .arg(settings::kDpiLevels.choiceText()));
    if (edit.current != 0)
        page.setCurrentDpi(edit.current);
    return {};
}

EditOutcome applyFireKey(Configuration &config, const FireKeyEdit &edit)
{
    AdvancedPageModel &page = config.advancedPage();
    // Checked against the same limits before the session started.
    if ((edit.repeat && !page.setRepeat(edit.key, *edit.repeat)) ||
        (edit.delay && !page.setDelay(edit.key, *edit.delay)))
        return badValue(QStringLiteral("fire key %1 cannot take that value").arg(edit.key));
    return {};
}

EditOutcome applyLight(Configuration &config, LightEdit edit, bool declarative)
{
    BreathingPageModel &page = config.breathingPage();
    if (declarative) {
        // Only what differs is a change; the rest is left alone.
        if (edit.mode == page.lightMode())
            edit.mode.reset();
        for (int s = 0; s < settings::kLightScaleCount; ++s) {
            if (edit.steps[s] == page.step(Scale(s)))
                edit.steps[s].reset();
        }
        if (edit.colourMode == page.ledColourMode())
            edit.colourMode.reset();
        if (edit.colour && BreathingPageModel::percentFromRgb(*edit.colour) == page.colour1())
            edit.colour.reset();
        if (edit.empty())
            return {};
    }
    if (BreathingPageModel::bypassed(config.sections()))
        return refused(QStringLiteral("the breathing light is bypassed by this configuration "
                                      "(bit 0 of its option byte): its settings are neither "
                                      "shown nor stored"));
    if (edit.mode)
        page.setLightMode(*edit.mode);
    for (int s = 0; s < settings::kLightScaleCount; ++s) {
        if (edit.steps[s] && !page.setStep(Scale(s), *edit.steps[s]))
            return badValue(QStringLiteral("a breathing step of %1 cannot be set: steps are %2")
                                .arg(*edit.steps[s])
                                .arg(settings::kLightStep.range.text()));
    }
    if (edit.colourMode)
        page.LEDColModeChange(*edit.colourMode);
    if (edit.colour && !page.lbl_csmode1Click(*edit.colour))
        return refused(QStringLiteral("colour 1 can only be chosen in LED colour mode 1"));
    return {};
}

EditOutcome applyButton(MouseSession &session, const ButtonEdit &edit, bool onMouse,
                        bool declarative)
{
    Configuration &config = session.config();
    ButtonAssignmentModel &buttons = config.buttonAssignment();
    const CodeTextContext context = config.codeTextContext();
    const FunctionRequest &request = edit.function;
    const FunctionCode current = buttons.code(edit.profile, edit.button);
    const FunctionCode wanted = requestedCode(request, context);
    if (declarative && FunctionNameOfCode(current, context) == FunctionNameOfCode(wanted, context))
        return {};

    if (edit.profile == FixedProfile) {
        const QString blocked = buttons.PageBlockMessage(FixedProfile);
        return refused(blocked.isEmpty()
                           ? QStringLiteral("the Fixed profile can only be viewed")
                           : textOr(config, "Str021", "the Fixed profile cannot be reached"));
    }
    if (edit.profile == SwitchProfile && !buttons.PageBlockMessage(SwitchProfile).isEmpty())
        return refused(textOr(config, "Str020", "the Switch profile cannot be reached"));
    const bool mouseButton = request.kind == FunctionRequest::Kind::Choice &&
                             request.choice >= kChoiceLeftKey && request.choice <= kChoiceMiddleKey;
    if (settings::takesOnlyMouseButtons(edit.button) && !mouseButton)
        return badValue(QStringLiteral("button %1 takes only left, right or middle (exchanged "
                                       "among buttons 1-%2), not \"%3\"")
                            .arg(edit.button)
                            .arg(settings::kMouseButtonCount)
                            .arg(edit.given));
    if (request.kind == FunctionRequest::Kind::Macro && onMouse && !config.state().ChipFamilyB)
        return refused(kNoMacroMemory);

    // Assigned on the profile's own page; the page the image names stays
    // the one stored as the mouse's current profile.
    const Configuration::Page page = config.currentPage();
    config.setCurrentPage(edit.profile == MainProfile ? Configuration::Page::Main
                                                      : Configuration::Page::Switch);
    buttons.setCurrentButton(edit.button);
    bool done = false;
    switch (request.kind) {
    case FunctionRequest::Kind::Choice:
        done = mouseButton && settings::takesOnlyMouseButtons(edit.button)
                   ? buttons.exchangeMouseButton(request.choice, context)
                   : buttons.assignChoice(request.choice, context);
        break;
    case FunctionRequest::Kind::Macro:
        done = buttons.assignMacro(request.macroSlot, context.macroNames.value(request.macroSlot));
        break;
    case FunctionRequest::Kind::Keys:
        buttons.setPendingKeyCombination(request.caption, request.code);
        done = buttons.ApplyKeyCombination();
        break;
    case FunctionRequest::Kind::Code:
        done = buttons.assignCode(request.code, context);
        break;
    }
    config.setCurrentPage(page);
    if (!done)
        return refused(
            QStringLiteral("button %1 could not take \"%2\"").arg(edit.button).arg(edit.given));
    return {};
}

EditOutcome applyMacroName(MouseSession &session, const MacroNameEdit &edit, bool onMouse,
                           bool declarative)
{
    MacroEditor &macros = session.macros();
    if (declarative && macros.macroNames().value(edit.slot) == edit.name)
        return {};
    if (onMouse && !session.config().state().ChipFamilyB)
        return refused(kNoMacroMemory);
    if (!macros.selectMacro(edit.slot) || !macros.ApplyMacroName(edit.name))
        return refused(QStringLiteral("macro %1 could not be renamed").arg(edit.slot));
    return {};
}

} // namespace

bool LightEdit::empty() const
{
    for (const auto &step : steps) {
        if (step)
            return false;
    }
    return !mode && !colourMode && !colour;
}

std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const QString trimmed = text.trimmed();
    const int value = trimmed.toInt(&ok, 10);
    if (!ok || trimmed.startsWith(QLatin1Char('+')))
        return std::nullopt;
    return value;
}

std::optional<DpiEdit> parseDpiEdit(const QString &levels, const QString &current, int language,
                                    QString *error)
{
    AdvancedPageModel page;
    page.applyLanguage(languageLookup(language));
    QStringList captions;
    for (int level = 1; level <= AdvancedPageModel::kDpiLevelCount; ++level)
        captions.append(page.dpiCaption(level));
    const QString accepted = QStringLiteral("%1 (the captions of language %2)")
                                 .arg(captions.join(QStringLiteral(", ")))
                                 .arg(language);
    DpiEdit edit;
    for (const QString &part : levels.split(QLatin1Char(','))) {
        const int level = page.dpiLevelOfCaption(part.trimmed());
        if (level == 0) {
            *error =
                QStringLiteral("DPI level \"%1\" is not one of %2").arg(part.trimmed(), accepted);
            return std::nullopt;
        }
        if (edit.levels.contains(level)) {
            *error = QStringLiteral("DPI level \"%1\" is given twice").arg(part.trimmed());
            return std::nullopt;
        }
        edit.levels.append(level);
    }
    if (edit.levels.size() < settings::kDpiLevels.fewest ||
        edit.levels.size() > settings::kDpiLevels.most) {
        *error = QStringLiteral("\"%1\": give %2 DPI levels of %3")
                     .arg(levels, settings::kDpiLevels.choiceText(), accepted);
        return std::nullopt;
    }
    if (!current.isEmpty()) {
        edit.current = page.dpiLevelOfCaption(current.trimmed());
        if (!edit.levels.contains(edit.current)) {
            *error = QStringLiteral("current DPI level \"%1\" is not one of the levels given (%2)")
                         .arg(current, levels);
            return std::nullopt;
        }
    }
    return edit;
}

std::optional<NumericEdit> parseNumericEdit(const NumericSetting &setting, const QString &value,
                                            QString *error)
{
    // Only the number as written plainly: "1000", not "01000".
    const std::optional<int> n = wholeNumber(value);
    if (n && QString::number(*n) == value.trimmed() && setting.declaration.range.contains(*n))
        return NumericEdit{&setting, *n};
    *error = QStringLiteral("%1 \"%2\": use %3")
                 .arg(QLatin1String(setting.label), value, setting.declaration.range.text());
    return std::nullopt;
}

std::optional<FireKeyEdit> checkFireKeyEdit(const FireKeyEdit &edit, QString *error)
{
    if (!settings::kFireKey.range.contains(edit.key)) {
        *error = QStringLiteral("%1 %2: use %3")
                     .arg(QLatin1String(settings::kFireKey.name))
                     .arg(edit.key)
                     .arg(settings::kFireKey.range.text());
        return std::nullopt;
    }
    if (edit.repeat && !AdvancedPageModel::repeatKeptAsTyped(*edit.repeat)) {
        *error = fireKeyValueError(false, QString::number(*edit.repeat));
        return std::nullopt;
    }
    if (edit.delay && !AdvancedPageModel::delayKeptAsTyped(*edit.delay)) {
        *error = fireKeyValueError(true, QString::number(*edit.delay));
        return std::nullopt;
    }
    return edit;
}

QString fireKeyValueError(bool delay, const QString &given)
{
    const SettingDeclaration &declared = delay ? settings::kDelay : settings::kRepeat;
    const QString unit = QLatin1String(declared.unit);
    return QStringLiteral("%1 %2: use %3%4")
        .arg(QLatin1String(declared.name), given, declared.range.text(),
             unit.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(unit));
}

std::optional<FireModesEdit> parseFireModesEdit(const QString &modes, QString *error)
{
    const std::optional<QList<int>> numbers = numberList(settings::kFireMode, modes, error);
    if (!numbers)
        return std::nullopt;
    if (numbers->size() > settings::kFireModes.most) {
        *error =
            QStringLiteral("fire modes \"%1\": give %2 modes %3")
                .arg(modes, settings::kFireModes.choiceText(), settings::kFireMode.range.text());
        return std::nullopt;
    }
    return FireModesEdit{*numbers};
}

std::optional<ButtonEdit> parseButtonEdit(const QString &profile, const QString &button,
                                          const QString &function, QString *error)
{
    ButtonEdit edit;
    const QString p = profile.trimmed().toLower();
    if (p == u"main")
        edit.profile = MainProfile;
    else if (p == u"switch")
        edit.profile = SwitchProfile;
    else if (p == u"fixed")
        edit.profile = FixedProfile;
    else {
        *error = QStringLiteral("profile \"%1\": use main, switch or fixed").arg(profile);
        return std::nullopt;
    }
    const std::optional<int> n = wholeNumber(button);
    if (!n || !settings::kButton.range.contains(*n)) {
        *error =
            QStringLiteral("%1 \"%2\": use %3")
                .arg(QLatin1String(settings::kButton.name), button, settings::kButton.range.text());
        return std::nullopt;
    }
    edit.button = *n;
    const std::optional<FunctionRequest> request = ParseFunctionName(function, error);
    if (!request)
        return std::nullopt;
    edit.function = *request;
    edit.given = function;
    return edit;
}

std::optional<MacroNameEdit> parseMacroNameEdit(const QString &slot, const QString &name,
                                                QString *error)
{
    const std::optional<int> n = wholeNumber(slot);
    if (!n || *n < 0 || *n >= kMacroCount) {
        *error = QStringLiteral("the macro number must be 0 to 31, not \"%1\"").arg(slot);
        return std::nullopt;
    }
    bool printable = !name.isEmpty();
    for (const QChar c : name)
        printable = printable && c.isPrint();
    if (!printable || fitMacroName(name) != name) {
        *error = QStringLiteral("macro name \"%1\": use 1 to %2 printable characters")
                     .arg(name)
                     .arg(kMacroNameMaxUnits);
        return std::nullopt;
    }
    return MacroNameEdit{*n, name};
}

EditOutcome applyEdit(MouseSession &session, const SettingEdit &edit, bool onMouse,
                      bool declarative)
{
    Configuration &config = session.config();
    if (const auto *dpi = std::get_if<DpiEdit>(&edit))
        return applyDpi(config, *dpi, declarative);
    if (const auto *number = std::get_if<NumericEdit>(&edit)) {
        if (!number->setting->write(config, number->value))
            return badValue(QStringLiteral("%1 %2 cannot be set")
                                .arg(QLatin1String(number->setting->label))
                                .arg(number->value));
        return {};
    }
    if (const auto *fireKey = std::get_if<FireKeyEdit>(&edit))
        return applyFireKey(config, *fireKey);
    if (const auto *modes = std::get_if<FireModesEdit>(&edit)) {
        if (!config.advancedPage().selectFireModes(modes->modes))
            return badValue(
                QStringLiteral("give %1 distinct fire modes %2")
                    .arg(settings::kFireModes.choiceText(), settings::kFireMode.range.text()));
        return {};
    }
    if (const auto *light = std::get_if<LightEdit>(&edit))
        return applyLight(config, *light, declarative);
    if (const auto *button = std::get_if<ButtonEdit>(&edit))
        return applyButton(session, *button, onMouse, declarative);
    if (const auto *name = std::get_if<MacroNameEdit>(&edit))
        return applyMacroName(session, *name, onMouse, declarative);
    return {};
}
