#pragma once

#include "own_mouse_settings_file.h"
#include "settings/mouse_settings_store.h"

// A desktop's store: the values the desktop has a place for go to the
// desktop, the others to the program's own settings file. Both groups
// always open. A desktop that cannot apply a setting leaves it to the
// program, which applies it to itself (MouseSettingsPageModel's hook).
class DesktopMouseStore : public MouseSettingsStore
{
public:
    explicit DesktopMouseStore(OwnMouseSettingsFile ownFile);

    bool openGroup(Group) override { return true; }
    std::optional<QString> readValue(Group group, const QString &name) override;
    bool writeValue(Group group, const QString &name, const QString &text) override;

    void applyPointerSpeed(int) override {}
    void applyAcceleration(int, int, int) override {}
    void applyDoubleClickTime(int) override {}
    void applyWheelScrollLines(int) override {}

    const OwnMouseSettingsFile &ownFile() const { return m_own; }

protected:
    // Whether the desktop keeps the named value (otherwise the own file does).
    virtual bool desktopHolds(const QString &name) const = 0;
    virtual std::optional<QString> readDesktop(const QString &name) = 0;
    virtual bool writeDesktop(const QString &name, const QString &text) = 0;

private:
    OwnMouseSettingsFile m_own;
};

// No desktop store fits: every value lives in the program's own file and
// only the program follows it.
class ProgramOnlyMouseStore final : public DesktopMouseStore
{
public:
    using DesktopMouseStore::DesktopMouseStore;
    Kind kind() const override { return Kind::ProgramOnly; }
    bool appliesToDesktop(MouseSetting) const override { return false; }

protected:
    bool desktopHolds(const QString &) const override { return false; }
    std::optional<QString> readDesktop(const QString &) override { return std::nullopt; }
    bool writeDesktop(const QString &, const QString &) override { return false; }
};
