#pragma once

#include "settings/mouse_settings_store.h"

#include <QString>

#include <memory>

// What the session says about itself and what is present on the machine.
struct DesktopSession
{
    QString currentDesktop; // $XDG_CURRENT_DESKTOP, e.g. "ubuntu:GNOME"
    QString sessionType;    // $XDG_SESSION_TYPE: "x11", "wayland", "tty"
    bool gnomeSchemaInstalled = false;
    bool x11Display = false; // $DISPLAY set (XInput 2 is checked on opening)
};

// Reads the two variables and looks at the machine.
DesktopSession currentDesktopSession();

// The store for a session: KDE Plasma; GNOME and its relatives when their
// schema is installed; X11 on any other X11 session; otherwise only the
// program's own file. Falls back along that line when a store cannot open.
MouseSettingsStore::Kind chooseMouseStoreKind(const DesktopSession &session);
std::unique_ptr<MouseSettingsStore> createMouseSettingsStore(const DesktopSession &session);
std::unique_ptr<MouseSettingsStore> createMouseSettingsStore();
