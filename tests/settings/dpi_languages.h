#pragma once

#include "records/text_lookup.h"

// The DPI keys of the three shipped languages (captions Str300-Str307 and the
// DPI text table Str320-Str331), as small lookups for the page-model tests.
TextLookup dpiLanguage(int language);
