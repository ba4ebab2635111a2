#pragma once

#include "device/page_mouse_system_settings.h"
#include "mouse_session.h"
#include "settings/mouse_settings_store.h"

#include <memory>

// For as long as it lives, the session's transfers read, store and apply
// the desktop's mouse settings through the store that fits this desktop,
// exactly as the window's write-all does.
class DesktopSettingsUse
{
public:
    explicit DesktopSettingsUse(MouseSession &session);
    ~DesktopSettingsUse();
    DesktopSettingsUse(const DesktopSettingsUse &) = delete;
    DesktopSettingsUse &operator=(const DesktopSettingsUse &) = delete;

    // Which store is used and what it cannot apply, in the current language.
    QString description() const;

private:
    MouseSession &m_session;
    std::unique_ptr<MouseSettingsStore> m_store;
    PageMouseSystemSettings m_link;
};
