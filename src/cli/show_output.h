#pragma once

#include <QJsonObject>
#include <QString>

class Configuration;
class MacroEditor;

// The configuration as the pages show it, in the shape `show --json` prints:
// ids and layout, DPI, report rate, profile, breathing light, fire keys and
// modes, the 36 buttons and the 32 macros. Selecting each macro in turn is
// how the macro page decodes it, so `macros` ends with the last one selected.
QJsonObject describeConfiguration(Configuration &config, MacroEditor &macros);

// The same content as plain text for people, one topic per line or block.
QString configurationText(const QJsonObject &shown);
