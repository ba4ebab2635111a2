#pragma once

#include "app/text_lookup.h"
#include "buttons/function_codes.h"

// The English texts the button tests need, so they run without the language
// resources; keys not listed give an empty text, as a missing key does.
TextLookup englishTexts();

// A context with the English texts, the shipped fire keys (repeat 2, delays
// 16, 32, 48, 64) and macro names "Macro 0" ... "Macro 31".
CodeTextContext englishContext();
