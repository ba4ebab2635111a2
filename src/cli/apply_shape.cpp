// The shape of a description `apply` takes: its keys and their types.
#include "apply_shape.h"

#include "configuration/numeric_settings.h"
#include "records/image_buffers.h"
#include "settings/setting_declarations.h"

#include <QJsonArray>

namespace {

// Keys `show --json` prints that no command changes: accepted and ignored.
bool knownKeys(const QJsonObject &object, const QStringList &allowed, const QString &where,
               QString *error)
{
    for (const QString &key : object.keys()) {
        if (!allowed.contains(key)) {
            *error = QStringLiteral("unknown key \"%1\"%2; known: %3")
                         .arg(key, where.isEmpty() ? QString() : QStringLiteral(" in ") + where,
                              allowed.join(QStringLiteral(", ")));
            return false;
        }
    }
    return true;
}

bool typed(const QJsonObject &object, const QString &key, QJsonValue::Type type,
           const QString &where, QString *error)
{
    const QJsonValue value = object.value(key);
    // `show --json` prints null for a value the image does not set.
    if (value.isUndefined() || value.type() == type ||
        (value.isNull() &&
         (key == u"current" || (where.isEmpty() && numericJsonKeys().contains(key)))))
        return true;
    const char *names[] = {"null", "true or false", "a number", "a text", "a list", "an object"};
    const int index = type == QJsonValue::Bool     ? 1
                      : type == QJsonValue::Double ? 2
                      : type == QJsonValue::String ? 3
                      : type == QJsonValue::Array  ? 4
                                                   : 5;
    *error = QStringLiteral("\"%1\"%2 must be %3")
                 .arg(key, where.isEmpty() ? QString() : QStringLiteral(" in ") + where,
                      QLatin1String(names[index]));
    return false;
}

bool listOfObjects(const QJsonValue &value, const QString &where, int maxCount, QString *error)
{
    const QJsonArray list = value.toArray();
    bool ok = list.size() <= maxCount;
    for (const QJsonValue item : list)
        ok = ok && item.isObject();
    if (!ok)
        *error =
            QStringLiteral("\"%1\" must be a list of at most %2 objects").arg(where).arg(maxCount);
    return ok;
}

} // namespace

QStringList numericJsonKeys()
{
    QStringList keys;
    for (const NumericSetting &setting : numericSettings())
        keys.append(QLatin1String(setting.jsonKey));
    return keys;
}

bool checkShape(const QJsonObject &root, QString *error)
{
    using T = QJsonValue::Type;
    const QStringList known =
        QStringList{"layoutCode", "vendorId", "productId", "dpi"} + numericJsonKeys() +
        QStringList{"profile", "light", "fireKeys", "fireModes", "buttons", "macros"};
    if (!knownKeys(root, known, {}, error))
        return false;
    for (const NumericSetting &setting : numericSettings()) {
        if (!typed(root, QLatin1String(setting.jsonKey), T::Double, {}, error))
            return false;
    }
    if (!typed(root, "dpi", T::Object, {}, error) || !typed(root, "light", T::Object, {}, error) ||
        !typed(root, "fireKeys", T::Array, {}, error) ||
        !typed(root, "fireModes", T::Array, {}, error) ||
        !typed(root, "buttons", T::Object, {}, error) ||
        !typed(root, "macros", T::Array, {}, error))
        return false;

    const QJsonObject dpi = root["dpi"].toObject();
    if (!knownKeys(dpi, {"slots", "levels", "current"}, "dpi", error) ||
        !typed(dpi, "levels", T::Array, "dpi", error) ||
        !typed(dpi, "current", T::String, "dpi", error))
        return false;
    for (const QJsonValue level : dpi["levels"].toArray()) {
        if (!level.isString()) {
            *error = QStringLiteral("\"levels\" in dpi must be a list of captions");
            return false;
        }
    }
    const QJsonObject light = root["light"].toObject();
    if (!knownKeys(light,
                   QStringList{"bypassed", "mode"} + lightStepKeys() +
                       QStringList{"colorMode", "color1", "color2"},
                   "light", error) ||
        !typed(light, "mode", T::String, "light", error) ||
        !typed(light, "colorMode", T::Double, "light", error) ||
        !typed(light, "color1", T::Array, "light", error))
        return false;
    for (const QString &key : lightStepKeys()) {
        if (!typed(light, key, T::Double, "light", error))
            return false;
    }
    if (!listOfObjects(root["fireKeys"], "fireKeys", settings::kFireKeyCount, error) ||
        !listOfObjects(root["macros"], "macros", kMacroCount, error))
        return false;
    for (const QJsonValue key : root["fireKeys"].toArray()) {
        if (!knownKeys(key.toObject(), {"repeat", "delay"}, "fireKeys", error) ||
            !typed(key.toObject(), "repeat", T::Double, "fireKeys", error) ||
            !typed(key.toObject(), "delay", T::Double, "fireKeys", error))
            return false;
    }
    for (const QJsonValue macro : root["macros"].toArray()) {
        if (!knownKeys(macro.toObject(), {"slot", "name", "length", "lines"}, "macros", error) ||
            !typed(macro.toObject(), "slot", T::Double, "macros", error) ||
            !typed(macro.toObject(), "name", T::String, "macros", error))
            return false;
    }
    const QJsonObject buttons = root["buttons"].toObject();
    if (!knownKeys(buttons, {"main", "switch", "fixed"}, "buttons", error))
        return false;
    for (const char *profile : kProfileKeys) {
        const QString where = QStringLiteral("buttons.%1").arg(QLatin1String(profile));
        if (!typed(buttons, profile, T::Array, "buttons", error) ||
            !listOfObjects(buttons[QLatin1String(profile)], where, settings::kButtonsPerProfile,
                           error))
            return false;
        for (const QJsonValue entry : buttons[QLatin1String(profile)].toArray()) {
            if (!knownKeys(entry.toObject(), {"function", "code", "text"}, where, error) ||
                !typed(entry.toObject(), "function", T::String, where, error) ||
                !typed(entry.toObject(), "code", T::String, where, error))
                return false;
        }
    }
    return true;
}

QStringList lightStepKeys()
{
    QStringList keys;
    for (const settings::LightScaleDeclaration &scale : settings::kLightScales)
        keys.append(QLatin1String(scale.name) + QStringLiteral("Step"));
    return keys;
}
