#pragma once

#include "desktop_mouse_store.h"
#include "kde_config_file.h"

// KDE Plasma: double-click time and wheel lines in kdeglobals [KDE], pointer
// speed in kcminputrc [Mouse] XLbInptPointerAcceleration (-1 ... 1). After a
// write the running programs are told to reload their mouse settings
// (KGlobalSettings notifyChange); on Wayland KWin takes the pointer speed
// through its input devices' pointerAcceleration property.
class KdeMouseStore final : public DesktopMouseStore
{
public:
    // `configDir` holds kdeglobals and kcminputrc ($XDG_CONFIG_HOME).
    KdeMouseStore(const QString &configDir, bool wayland, OwnMouseSettingsFile ownFile);

    Kind kind() const override { return Kind::Kde; }
    bool appliesToDesktop(MouseSetting) const override { return true; }

    void applyPointerSpeed(int mouseSensitivity) override;
    void applyDoubleClickTime(int milliseconds) override;
    void applyWheelScrollLines(int lines) override;
    void finishApply() override;

    // Whether the reload notice could be sent (no session bus: false).
    bool lastNoticeSent() const { return m_noticeSent; }

protected:
    bool desktopHolds(const QString &name) const override;
    std::optional<QString> readDesktop(const QString &name) override;
    bool writeDesktop(const QString &name, const QString &text) override;

private:
    bool setPointerSpeed(int mouseSensitivity);

    KdeConfigFile m_globals;
    KdeConfigFile m_input;
    bool m_wayland;
    bool m_noticeSent = false;
};
