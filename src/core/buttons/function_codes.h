#pragma once

#include "buttons/function_code.h"
#include "records/text_lookup.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

// Button function codes (see FunctionCode): which code a menu choice, a fire
// key or a macro slot gives, and the caption a code reads as.

// One fire key as the advanced page holds it right now: the repeat count and
// delay of its edit boxes, and the high nibble (0..15, i.e. byte >> 4) of byte
// 2 of its FireKey entry, which the program never changes.
struct FireKeySetting
{
    int repeat = 2;
    int delay = 16;
    quint8 byte2HighNibble = 0;
};

// Everything a code's caption depends on besides the code itself: the texts of
// the current language, the fire keys of the advanced page and the macro names
// in the 8-bit form that the button pages' macro list shows (slot 0 first).
struct CodeTextContext
{
    TextLookup text;
    std::array<FireKeySetting, 4> fireKeys;
    QStringList macroNames;
};

inline constexpr int kChoiceNone = 0;
inline constexpr int kChoiceLeftKey = 900;
inline constexpr int kChoiceRightKey = 901;
inline constexpr int kChoiceMiddleKey = 902;
inline constexpr int kChoiceFireKey1 = 1200; // ... 1203 for fire key 4

// Menu choice (an entry's tag) -> code. Fire keys are built from the
// current fire-key settings. An unknown choice gives the empty code.
FunctionCode CodeFromChoice(int choice, const CodeTextContext &context);

// The language key of a choice's text ("Str210" for 900), empty for choices
// without one (0 and unknown numbers).
QString ChoiceTextKey(int choice);

// Code -> the text a button label shows, in the context's language; empty
// for the empty code and for codes without a caption.
QString CodeToText(const FunctionCode &code, const CodeTextContext &context);

// The keyboard and macro part of CodeToText: "Ctrl+Alt+A" for 02050400, the
// macro name for a macro slot address; empty for any other kind.
QString KeyboardCodeToText(const FunctionCode &code, const CodeTextContext &context);

// A fire key as a button code, e.g. 06 12 00 10.
FunctionCode FireKeyCode(const FireKeySetting &fireKey);

// The four fire keys as a FireKey section shows them: repeat = byte 1 & 0x0F,
// delay = (byte 2 & 0x0F) * 256 + byte 3. Entries missing from a short
// section keep the defaults of FireKeySetting.
std::array<FireKeySetting, 4> FireKeySettingsFromSection(const QByteArray &fireKeySection);

// Macro slot 0..31 -> 10 80 00 00 ... 10 FC 00 00; the empty code for other slots.
FunctionCode MacroSlotCode(int slot);
