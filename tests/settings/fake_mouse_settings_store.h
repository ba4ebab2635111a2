#pragma once

#include "settings/mouse_settings_store.h"

#include <QMap>
#include <QStringList>

#include <set>

// A store in memory that logs every write and apply call in order.
class FakeMouseSettingsStore : public MouseSettingsStore
{
public:
    QMap<QString, QString> values; // both groups; a group only opens or not
    std::set<Group> missingGroups;
    std::set<MouseSetting> notApplied;
    Kind storeKind = Kind::Gnome;
    QStringList log; // "write MouseSensitivity=4", "speed 4", "finish", ...

    Kind kind() const override { return storeKind; }
    bool appliesToDesktop(MouseSetting s) const override { return !notApplied.count(s); }
    bool openGroup(Group group) override { return !missingGroups.count(group); }
    std::optional<QString> readValue(Group, const QString &name) override
    {
        return values.contains(name) ? std::optional<QString>(values[name]) : std::nullopt;
    }
    bool writeValue(Group, const QString &name, const QString &text) override
    {
        values[name] = text;
        return note("write " + name + "=" + text);
    }
    void applyPointerSpeed(int v) override { note("speed " + QString::number(v)); }
    void applyAcceleration(int t1, int t2, int v) override
    {
        note(QStringLiteral("accel %1 %2 %3").arg(t1).arg(t2).arg(v));
    }
    void applyDoubleClickTime(int v) override { note("doubleclick " + QString::number(v)); }
    void applyWheelScrollLines(int v) override { note("wheel " + QString::number(v)); }
    void finishApply() override { note("finish"); }

private:
    bool note(const QString &entry)
    {
        log << entry;
        return true;
    }
};
