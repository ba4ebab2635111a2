#pragma once

#include "device/mouse_system_settings.h"
#include "settings/mouse_settings_page_model.h"

// The transfers' view of the advanced page's desktop settings.
class PageMouseSystemSettings final : public MouseSystemSettings
{
public:
    explicit PageMouseSystemSettings(MouseSettingsPageModel &page) : m_page(page) {}
    void refreshFromSystem() override { m_page.refreshFromSystem(); }
    void storeAndApply() override { m_page.storeAndApply(); }

private:
    MouseSettingsPageModel &m_page;
};
