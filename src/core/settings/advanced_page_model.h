#pragma once

#include "settings/dpi_levels_model.h"
#include "settings/fire_keys_model.h"
#include "settings/report_rate_model.h"

// Everything the advanced page decides, as one object for the page and the
// configuration that stores it: the DPI levels, the report rate and the fire
// keys with their modes, each kept by its own model. A widget only renders
// this state and forwards clicks and typed text.
class AdvancedPageModel : public DpiLevelsModel, public ReportRateModel, public FireKeysModel
{
};
