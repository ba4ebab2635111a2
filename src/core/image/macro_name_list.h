#pragma once

#include <QStringList>

// The 32 macro names as the macro list holds them. The configuration asks
// for them at fixed points of its own sequences: the names are taken from
// MacroNameTable before the pages show a new image (the button captions name
// macros), and put back into it before a family-B write. Whoever owns both
// the configuration and the macro list attaches one.
class MacroNameList
{
public:
    virtual ~MacroNameList() = default;
    // Rebuilds the names from MacroNameTable.
    virtual void takeNamesFromTable() = 0;
    // Writes the names into MacroNameTable.
    virtual void putNamesIntoTable() = 0;
    // The names as the button pages show them.
    virtual QStringList macroNames() const = 0;
};
