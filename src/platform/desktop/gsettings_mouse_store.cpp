// GLib's headers come first: Qt's keyword macros must not reach them.
#include <gio/gio.h>

#include "gsettings_mouse_store.h"
#include "pointer_speed_scale.h"

namespace {

constexpr const char *kSpeedKey = "speed";
constexpr const char *kDoubleClickKey = "double-click";

GSettingsSchema *lookUpSchema()
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    if (!source)
        return nullptr;
    GSettingsSchema *schema =
        g_settings_schema_source_lookup(source, GSettingsMouseStore::kSchemaId, TRUE);
    if (schema && (!g_settings_schema_has_key(schema, kSpeedKey) ||
                   !g_settings_schema_has_key(schema, kDoubleClickKey))) {
        g_settings_schema_unref(schema);
        return nullptr;
    }
    return schema;
}

std::optional<int> decimal(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

bool GSettingsMouseStore::schemaInstalled()
{
    GSettingsSchema *schema = lookUpSchema();
    if (!schema)
        return false;
    g_settings_schema_unref(schema);
    return true;
}

std::unique_ptr<GSettingsMouseStore> GSettingsMouseStore::open(OwnMouseSettingsFile ownFile)
{
    GSettingsSchema *schema = lookUpSchema();
    if (!schema)
        return nullptr;
    GSettings *settings = g_settings_new_full(schema, nullptr, nullptr);
    g_settings_schema_unref(schema);
    if (!settings)
        return nullptr;
    return std::unique_ptr<GSettingsMouseStore>(
        new GSettingsMouseStore(settings, std::move(ownFile)));
}

GSettingsMouseStore::GSettingsMouseStore(GSettings *settings, OwnMouseSettingsFile ownFile)
    : DesktopMouseStore(std::move(ownFile)), m_settings(settings)
{}

GSettingsMouseStore::~GSettingsMouseStore()
{
    g_settings_sync();
    g_object_unref(m_settings);
}

bool GSettingsMouseStore::appliesToDesktop(MouseSetting setting) const
{
    return setting != MouseSetting::WheelLines;
}

bool GSettingsMouseStore::desktopHolds(const QString &name) const
{
    return name == mouse_value::MouseSensitivity || name == mouse_value::DoubleClickSpeed;
}

std::optional<QString> GSettingsMouseStore::readDesktop(const QString &name)
{
    if (name == mouse_value::MouseSensitivity) {
        const double speed = g_settings_get_double(m_settings, kSpeedKey);
        return QString::number(pointer_speed_scale::toSensitivity(speed));
    }
    if (name == mouse_value::DoubleClickSpeed)
        return QString::number(g_settings_get_int(m_settings, kDoubleClickKey));
    return std::nullopt;
}

bool GSettingsMouseStore::writeDesktop(const QString &name, const QString &text)
{
    const std::optional<int> value = decimal(text);
    if (!value)
        return false;
    if (name == mouse_value::MouseSensitivity)
        return setSpeed(*value);
    if (name == mouse_value::DoubleClickSpeed)
        return setDoubleClick(*value);
    return false;
}

bool GSettingsMouseStore::setSpeed(int mouseSensitivity)
{
    const double speed = pointer_speed_scale::toDesktop(mouseSensitivity);
    // A speed set elsewhere that already maps to this sensitivity stays as
    // it is; re-applying must not move it to the table's value.
    if (pointer_speed_scale::toSensitivity(g_settings_get_double(m_settings, kSpeedKey)) ==
        mouseSensitivity)
        return true;
    return g_settings_set_double(m_settings, kSpeedKey, speed);
}

bool GSettingsMouseStore::setDoubleClick(int milliseconds)
{
    if (milliseconds <= 0)
        return false; // the desktop would take it and double-clicks would stop
    if (g_settings_get_int(m_settings, kDoubleClickKey) == milliseconds)
        return true;
    return g_settings_set_int(m_settings, kDoubleClickKey, milliseconds);
}

void GSettingsMouseStore::applyPointerSpeed(int mouseSensitivity)
{
    setSpeed(mouseSensitivity);
}

void GSettingsMouseStore::applyDoubleClickTime(int milliseconds)
{
    setDoubleClick(milliseconds);
}

void GSettingsMouseStore::finishApply()
{
    g_settings_sync();
}
