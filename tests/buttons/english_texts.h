#pragma once

#include "buttons/function_codes.h"

// A context with the English texts of the language resources, the shipped
// fire keys (repeat 2, delays 16, 32, 48, 64) and macro names "Macro 0" ...
CodeTextContext englishContext();
