#include "configuration/numeric_settings.h"

#include "configuration/configuration.h"

namespace {

const NumericSetting kNumericSettings[] = {
    {{"report-rate", {1000, 500, {}, true}, "Hz", "Str244"},
     "report rate",
     "reportRate",
     "RATE",
     "Set the report rate. A changed rate ends the write with the report-rate reload.",
     [](const Configuration &config) { return config.advancedPage().reportRateHz(); },
     [](Configuration &config, int hertz) { return config.advancedPage().setReportRateHz(hertz); }},
};

} // namespace

std::span<const NumericSetting> numericSettings()
{
    return kNumericSettings;
}

const NumericSetting *numericSetting(const QString &name)
{
    for (const NumericSetting &setting : kNumericSettings) {
        if (name == QLatin1String(setting.declaration.name))
            return &setting;
    }
    return nullptr;
}
