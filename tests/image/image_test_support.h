#pragma once

#include "records/text_lookup.h"
#include "configuration/configuration.h"
#include "image/macro_name_list.h"

#include <QByteArray>

// The English DPI texts (level captions and the twelve-entry table), enough
// for the pages to show and store a parameter block.
TextLookup englishDpiTexts();

// A configuration after start-up, its pages filled with the English texts.
void startWithEnglish(Configuration &config);

// Pretends a mouse was identified: open handles, the family and its layout.
void connectMouse(Configuration &config, int layoutCode, bool familyB);

// Bytes of a record as hex, for readable comparisons.
QByteArray hex(const QByteArray &bytes);

// A macro list that counts how often the names are taken from the table and
// answers with fixed names.
struct CountingMacroNames : MacroNameList
{
    int refreshed = 0;
    QStringList names;
    void takeNamesFromTable() override { ++refreshed; }
    void putNamesIntoTable() override {}
    QStringList macroNames() const override { return names; }
};
