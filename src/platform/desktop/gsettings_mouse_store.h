#pragma once

#include "desktop_mouse_store.h"

#include <memory>

// GLib's own declaration of the type, repeated so GIO stays out of this header.
typedef struct _GSettings GSettings; // NOLINT(bugprone-reserved-identifier,modernize-use-using)

// GNOME and the other desktops that keep the mouse in GSettings
// (org.gnome.desktop.peripherals.mouse): pointer speed as "speed" (-1 ... 1)
// and the double-click time in milliseconds as "double-click". The wheel
// lines have no place there and stay in the program's own file.
class GSettingsMouseStore final : public DesktopMouseStore
{
public:
    static constexpr const char *kSchemaId = "org.gnome.desktop.peripherals.mouse";

    // Null when the schema or one of its two keys is not installed: creating
    // settings for a missing schema would abort the whole program.
    static std::unique_ptr<GSettingsMouseStore> open(OwnMouseSettingsFile ownFile);
    static bool schemaInstalled();
    ~GSettingsMouseStore() override;

    Kind kind() const override { return Kind::Gnome; }
    bool appliesToDesktop(MouseSetting setting) const override;

    void applyPointerSpeed(int mouseSensitivity) override;
    void applyDoubleClickTime(int milliseconds) override;
    void finishApply() override;

protected:
    bool desktopHolds(const QString &name) const override;
    std::optional<QString> readDesktop(const QString &name) override;
    bool writeDesktop(const QString &name, const QString &text) override;

private:
    GSettingsMouseStore(GSettings *settings, OwnMouseSettingsFile ownFile);
    bool setSpeed(int mouseSensitivity);
    bool setDoubleClick(int milliseconds);

    GSettings *m_settings;
};
