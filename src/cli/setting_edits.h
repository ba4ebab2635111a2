#pragma once

#include "buttons/function_names.h"
#include "configuration/numeric_settings.h"
#include "settings/breathing_page_model.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <variant>

class MouseSession;

// One change of one setting, checked for its values before any session
// starts and carried out through the page models like the window's clicks.
struct DpiEdit
{
    QList<int> levels; // 2-4 levels 1-8
    int current = 0;   // a level among them; 0 keeps the page's choice
};

// A setting that is one number of its own, checked against its declaration.
struct NumericEdit
{
    const NumericSetting *setting = nullptr;
    int value = 0;
};

struct FireKeyEdit
{
    int key = 1; // 1-settings::kFireKeyCount
    std::optional<int> repeat;
    std::optional<int> delay;
};

struct FireModesEdit
{
    QList<int> modes; // settings::kFireModes
};

struct LightEdit
{
    std::optional<BreathingPageModel::LightMode> mode;
    // By BreathingPageModel::Scale (settings::kLightScales); settings::kLightStep.
    std::array<std::optional<int>, settings::kLightScaleCount> steps;
    std::optional<BreathingPageModel::LedColourMode> colourMode;
    std::optional<Rgb> colour; // as the colour dialog gives it, 0-255
    bool empty() const;
};

struct ButtonEdit
{
    int profile = 1; // 1 main, 2 switch, 3 fixed
    int button = 1;  // settings::kButton
    FunctionRequest function;
    QString given; // the name as written, for messages
};

struct MacroNameEdit
{
    int slot = 0;
    QString name;
};

using SettingEdit = std::variant<DpiEdit, NumericEdit, FireKeyEdit, FireModesEdit, LightEdit,
                                 ButtonEdit, MacroNameEdit>;

// What carrying out an edit came to: 0, or the exit status with its line.
struct EditOutcome
{
    int status = 0;
    QString message;
};

// --- checks of the values (failures are usage errors) ----------------------
// Each returns the edit, or nothing with `error` naming the value and what is
// accepted. `language` picks the DPI captions (1-3).
std::optional<DpiEdit> parseDpiEdit(const QString &levels, const QString &current, int language,
                                    QString *error);
// A value for `setting` as its canonical whole number within its range.
std::optional<NumericEdit> parseNumericEdit(const NumericSetting &setting, const QString &value,
                                            QString *error);
std::optional<FireKeyEdit> checkFireKeyEdit(const FireKeyEdit &edit, QString *error);
// The refusal of a repeat count (or with `delay` a delay) given as `given`.
QString fireKeyValueError(bool delay, const QString &given);
std::optional<FireModesEdit> parseFireModesEdit(const QString &modes, QString *error);
std::optional<BreathingPageModel::LightMode> parseLightMode(const QString &mode, QString *error);
std::optional<BreathingPageModel::LedColourMode> parseColourMode(const QString &mode,
                                                                 QString *error);
std::optional<int> checkStep(const QString &what, int step, QString *error);
// The refusal of a `what` step given as `given`.
QString stepError(const QString &what, const QString &given);
std::optional<Rgb> parseColour(const QString &colour, QString *error);
std::optional<ButtonEdit> parseButtonEdit(const QString &profile, const QString &button,
                                          const QString &function, QString *error);
std::optional<MacroNameEdit> parseMacroNameEdit(const QString &slot, const QString &name,
                                                QString *error);
// A whole number in `text`, or nothing.
std::optional<int> wholeNumber(const QString &text);

// --- carrying out -----------------------------------------------------------
// `declarative` (apply): a value the configuration already holds is left
// alone before any rule is asked, so an unchanged description passes even
// where the rules would refuse a change.
EditOutcome applyEdit(MouseSession &session, const SettingEdit &edit, bool onMouse,
                      bool declarative);
