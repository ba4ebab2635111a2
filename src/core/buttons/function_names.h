#pragma once

#include "buttons/function_codes.h"

#include <QString>
#include <QStringList>

#include <optional>

// Stable machine names of button functions, for scripts and readable
// configuration files: one name per menu entry ("left", "cpi+", "fire-key-2",
// "www-home", "none" ...), "macro:N" for macro slot N, "keys:ctrl+alt+a" for a
// key combination and "code:XXXXXXXX" for any code as it stands. The names
// never depend on the language; the same table serves printing and parsing.

// What a machine name asks a button to take.
struct FunctionRequest
{
    enum class Kind
    {
        Choice, // a menu entry: `choice` is its tag
        Macro,  // macro slot `macroSlot`
        Keys,   // a key combination as the dialog confirms it: `caption`, `code`
        Code    // `code` as given
    };

    Kind kind = Kind::Choice;
    int choice = 0;
    int macroSlot = -1;
    QString caption;
    FunctionCode code;
};

// The names of all menu entries, in menu order.
QStringList MenuFunctionNames();

// Menu entry tag -> name, empty for an unknown tag; and back, -1 for a name
// that is no menu entry.
QString FunctionNameOfChoice(int choice);
int ChoiceOfFunctionName(const QString &name);

// Parses a machine name. Key combinations go through the key-combination
// dialog's rules: modifiers (ctrl, shift, alt, win) are ticked, then at most
// two keys are pressed; keys are named as the key tables name them, case and
// the spelling of blanks, "_" and "-" aside ("page-up", "space bar",
// "0-numeric-pad"). Keys the dialog swallows (the Windows keys, Ctrl, Shift
// and Alt themselves) and keys the mouse cannot send are refused. On failure
// `error` names the value and what is accepted.
std::optional<FunctionRequest> ParseFunctionName(const QString &text, QString *error);

// The machine name of a stored code, chosen in the order CodeToText reads
// codes: mouse and system keys, the fire keys as the context has them now,
// Fire Mode whatever its data bytes, the other menu entries, then "none",
// "macro:N", "keys:..." and, for everything else, "code:XXXXXXXX". A key
// combination is named only when the name gives back exactly that code.
// The empty code has no name.
QString FunctionNameOfCode(const FunctionCode &code, const CodeTextContext &context);

// The token a key name is written as: lower case, runs of anything but
// letters and digits as one "-" ("Page Up" -> "page-up").
QString KeyNameToken(const QString &keyName);
