#include "fake_mouse_settings_store.h"

std::optional<QString> FakeMouseSettingsStore::readValue(Group group, const QString &name)
{
    const QMap<QString, QString> &v = values(group);
    if (!v.contains(name))
        return std::nullopt;
    return v.value(name);
}

bool FakeMouseSettingsStore::writeValue(Group group, const QString &name, const QString &text)
{
    values(group).insert(name, text);
    log << QStringLiteral("write %1=%2").arg(name, text);
    return true;
}

void FakeMouseSettingsStore::applyPointerSpeed(int value)
{
    log << QStringLiteral("speed %1").arg(value);
}

void FakeMouseSettingsStore::applyAcceleration(int threshold1, int threshold2, int speed)
{
    log << QStringLiteral("accel %1 %2 %3").arg(threshold1).arg(threshold2).arg(speed);
}

void FakeMouseSettingsStore::applyDoubleClickTime(int ms)
{
    log << QStringLiteral("doubleclick %1").arg(ms);
}

void FakeMouseSettingsStore::applyWheelScrollLines(int lines)
{
    log << QStringLiteral("wheel %1").arg(lines);
}
