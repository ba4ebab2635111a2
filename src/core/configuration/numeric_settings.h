#pragma once

#include "settings/setting_declarations.h"

#include <QString>

#include <optional>
#include <span>

class Configuration;

// A setting that is one number of its own. Declared here once, it is set by
// name (`set NAME VALUE`), shown and applied from a JSON description by the
// command line, which knows it only through this table; the window has its
// own widget for it on its page.
struct NumericSetting
{
    SettingDeclaration declaration; // its name for `set`, its values, its unit
    const char *label;              // as messages and `show` name it
    const char *jsonKey;            // as `show --json` names it
    const char *valueName;          // the value's placeholder in help
    const char *help;               // what `set NAME --help` says of it
    std::optional<int> (*read)(const Configuration &config);
    // Through the page model, as the window's click would; false for a value
    // the model refuses.
    bool (*write)(Configuration &config, int value);
};

std::span<const NumericSetting> numericSettings();
// The setting `set` spells `name`, or nullptr.
const NumericSetting *numericSetting(const QString &name);
