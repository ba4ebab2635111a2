#pragma once

#include <QString>

#include <functional>

// Fetches the text of a language key ("Str231", "Title", ...) in the current
// language; an unknown key gives an empty text. Code that shows texts takes
// one of these instead of reaching for a global language.
using TextLookup = std::function<QString(const QString &key)>;
