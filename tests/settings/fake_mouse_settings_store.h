#pragma once

#include "settings/mouse_settings_store.h"

#include <QMap>
#include <QStringList>

#include <set>

// A store in memory that logs every write and apply call in order.
class FakeMouseSettingsStore : public MouseSettingsStore
{
public:
    QMap<QString, QString> mouse;   // the mouse group's values
    QMap<QString, QString> desktop; // the desktop group's values
    std::set<Group> missingGroups;
    std::set<MouseSetting> notApplied;
    Kind storeKind = Kind::Gnome;
    QStringList log; // "write MouseSensitivity=4", "speed 4", "finish", ...

    Kind kind() const override { return storeKind; }
    bool appliesToDesktop(MouseSetting s) const override { return !notApplied.count(s); }
    bool openGroup(Group group) override { return !missingGroups.count(group); }
    std::optional<QString> readValue(Group group, const QString &name) override;
    bool writeValue(Group group, const QString &name, const QString &text) override;
    void applyPointerSpeed(int value) override;
    void applyAcceleration(int threshold1, int threshold2, int speed) override;
    void applyDoubleClickTime(int ms) override;
    void applyWheelScrollLines(int lines) override;
    void finishApply() override { log << QStringLiteral("finish"); }

private:
    QMap<QString, QString> &values(Group group) { return group == Group::Mouse ? mouse : desktop; }
};
