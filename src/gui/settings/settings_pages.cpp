#include "settings/settings_pages.h"

#include "settings/advanced_page.h"
#include "settings/breathing_page.h"
#include "settings/desktop_settings_scales.h"
#include "ui/skinned_content.h"

void attachSettingsPages(SkinnedContent &skin, Configuration &config)
{
    new AdvancedPage(skin, config, &skin);
    new DesktopSettingsScales(skin, config, &skin);
    new BreathingPage(skin, config, &skin);
}
