#pragma once

#include "device/configuration_transfer.h"
#include "device/page_mouse_system_settings.h"
#include "settings/mouse_settings_store.h"

#include <memory>

// The desktop's mouse settings of a program run: the store this desktop
// calls for, attached to the advanced page's scales and to the transfers
// (read with every read-all, stored and applied with every write-all) for
// as long as this object lives.
class DesktopMouseSettings
{
public:
    // Without a store given, the one createMouseSettingsStore() chooses.
    DesktopMouseSettings(MouseSettingsPageModel &page, ConfigurationTransfer &transfer,
                         std::unique_ptr<MouseSettingsStore> store = nullptr);
    ~DesktopMouseSettings();
    DesktopMouseSettings(const DesktopMouseSettings &) = delete;
    DesktopMouseSettings &operator=(const DesktopMouseSettings &) = delete;

    MouseSettingsStore &store() { return *m_store; }

private:
    MouseSettingsPageModel &m_page;
    ConfigurationTransfer &m_transfer;
    std::unique_ptr<MouseSettingsStore> m_store;
    PageMouseSystemSettings m_link;
};
