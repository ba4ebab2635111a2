#include "show_output.h"

#include "apply_shape.h"
#include "buttons/function_names.h"
#include "configuration/configuration.h"
#include "configuration/numeric_settings.h"
#include "image/image_layout.h"
#include "macros/macro_editor.h"
#include "macros/macro_names.h"

#include <QJsonArray>

namespace {

constexpr int kDpiSlotOffset = 10; // ParameterA bytes 10-13
constexpr int kVendorOffset = 2;   // ParameterA bytes 2-3, high byte first
constexpr int kProductOffset = 4;  // ParameterA bytes 4-5

const char *const kProfileNames[] = {"main", "switch", "fixed"};

int byteAt(const QByteArray &record, int offset)
{
    return offset >= 0 && offset < record.size() ? quint8(record.at(offset)) : 0;
}

QJsonObject dpiObject(const Configuration &config)
{
    const AdvancedPageModel &page = config.advancedPage();
    QJsonArray dpiSlots, levels;
    for (int k = 0; k < AdvancedPageModel::kDpiSlotCount; ++k)
        dpiSlots.append(byteAt(config.sections().ParameterA, kDpiSlotOffset + k));
    for (int level = 1; level <= AdvancedPageModel::kDpiLevelCount; ++level) {
        if (page.dpiLevelSelected(level))
            levels.append(page.dpiCaption(level));
    }
    const int current = page.currentDpiLevel();
    return {{"slots", dpiSlots},
            {"levels", levels},
            {"current", current > 0 ? QJsonValue(page.dpiCaption(current)) : QJsonValue()}};
}

QJsonValue profileValue(Configuration::Page page)
{
    switch (page) {
    case Configuration::Page::Main:
        return QString::fromLatin1(kProfileNames[0]);
    case Configuration::Page::Switch:
        return QString::fromLatin1(kProfileNames[1]);
    case Configuration::Page::Fixed:
        return QString::fromLatin1(kProfileNames[2]);
    default:
        return QJsonValue();
    }
}

QJsonArray rgb(const RgbPercent &colour)
{
    return {colour.red, colour.green, colour.blue};
}

QJsonObject lightObject(const Configuration &config)
{
    using Scale = BreathingPageModel::Scale;
    const BreathingPageModel &page = config.breathingPage();
    // Capitalised, as the page's captions write them ("Random").
    QString mode = settings::lightModeNames().value(int(page.lightMode()));
    if (!mode.isEmpty())
        mode[0] = mode[0].toUpper();
    QJsonObject light{{"bypassed", BreathingPageModel::bypassed(config.sections())},
                      {"mode", mode},
                      {"colorMode", static_cast<int>(page.ledColourMode())},
                      {"color1", rgb(page.colour1())},
                      {"color2", rgb(page.colour2())}};
    const QStringList stepKeys = lightStepKeys();
    for (int s = 0; s < settings::kLightScaleCount; ++s)
        light.insert(stepKeys[s], page.step(Scale(s)));
    return light;
}

QJsonObject buttonsObject(Configuration &config)
{
    ButtonAssignmentModel &buttons = config.buttonAssignment();
    const CodeTextContext context = config.codeTextContext();
    QJsonObject result;
    for (int profile = 1; profile <= settings::kProfileCount; ++profile) {
        buttons.RefreshProfileKeys(profile, context);
        QJsonArray list;
        for (int button = 1; button <= settings::kButtonsPerProfile; ++button)
            list.append(QJsonObject{
                {"code", buttons.code(profile, button).hexText()},
                {"function", FunctionNameOfCode(buttons.code(profile, button), context)},
                {"text", buttons.caption(button)}});
        result.insert(QString::fromLatin1(kProfileNames[profile - 1]), list);
    }
    // Back to the captions of the page that is current.
    config.setCurrentPage(config.currentPage());
    return result;
}

QJsonArray macrosArray(const Configuration &config, MacroEditor &macros)
{
    QJsonArray list;
    const QStringList names = macros.macroNames();
    for (int slot = 0; slot < kMacroCount; ++slot) {
        macros.selectMacro(slot);
        QJsonArray lines;
        for (const QString &line : macros.eventLines().lines())
            lines.append(line);
        list.append(QJsonObject{
            {"slot", slot},
            {"name", slot < names.size() ? names.at(slot) : QString()},
            {"length", macroStreamLength(macroNameEntry(config.image().MacroNameTable, slot))},
            {"lines", lines}});
    }
    return list;
}

QString valueText(const QJsonValue &value, const QString &none)
{
    if (value.isNull() || value.isUndefined())
        return none;
    if (value.isDouble())
        return QString::number(value.toInteger());
    return value.toString();
}

QString joined(const QJsonArray &array, const QString &separator = QStringLiteral(" "))
{
    QStringList parts;
    for (const QJsonValue value : array)
        parts.append(valueText(value, QStringLiteral("-")));
    return parts.join(separator);
}

} // namespace

QJsonObject describeConfiguration(Configuration &config, MacroEditor &macros)
{
    const QByteArray &a = config.sections().ParameterA;
    QJsonObject shown;
    shown.insert("layoutCode", layoutCodeFromByte(quint8(byteAt(a, kLayoutByteOffset))));
    shown.insert("vendorId", byteAt(a, kVendorOffset) * 256 + byteAt(a, kVendorOffset + 1));
    shown.insert("productId", byteAt(a, kProductOffset) * 256 + byteAt(a, kProductOffset + 1));
    shown.insert("dpi", dpiObject(config));
    for (const NumericSetting &setting : numericSettings()) {
        const std::optional<int> value = setting.read(config);
        shown.insert(QLatin1String(setting.jsonKey), value ? QJsonValue(*value) : QJsonValue());
    }
    shown.insert("profile", profileValue(config.currentPage()));
    shown.insert("light", lightObject(config));

    // What the mouse holds, as the window's boxes show it: the page's limits
    // (a delay of at most 2000) apply only when a value is edited or written.
    QJsonArray fireKeys;
    for (const FireKeyFields &key : config.advancedPage().allFireKeyFields(config.sections()))
        fireKeys.append(QJsonObject{{"repeat", key.repeat}, {"delay", key.delay}});
    shown.insert("fireKeys", fireKeys);
    QJsonArray fireModes;
    for (int mode = 1; mode <= settings::kFireModes.count; ++mode) {
        if (config.advancedPage().fireModeSelected(mode))
            fireModes.append(mode);
    }
    shown.insert("fireModes", fireModes);
    shown.insert("buttons", buttonsObject(config));
    shown.insert("macros", macrosArray(config, macros));
    return shown;
}

QString configurationText(const QJsonObject &shown)
{
    QStringList out;
    const auto hex = [](const QJsonValue &v) {
        return QStringLiteral("0x") +
               QString::number(v.toInteger(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    };
    out << QStringLiteral("layout %1, vendor %2, product %3")
               .arg(valueText(shown["layoutCode"], QStringLiteral("unknown")),
                    hex(shown["vendorId"]), hex(shown["productId"]));

    const QJsonObject dpi = shown["dpi"].toObject();
    out << QStringLiteral("DPI slots: %1").arg(joined(dpi["slots"].toArray()));
    out << QStringLiteral("DPI levels: %1 (current: %2)")
               .arg(joined(dpi["levels"].toArray()), valueText(dpi["current"], "none"));
    for (const NumericSetting &setting : numericSettings()) {
        const QJsonValue value = shown[QLatin1String(setting.jsonKey)];
        const QString unit = QLatin1String(setting.declaration.unit);
        out << QStringLiteral("%1: %2").arg(
            QLatin1String(setting.label),
            value.isNull() ? QStringLiteral("none")
                           : valueText(value, QString()) +
                                 (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit));
    }
    out << QStringLiteral("profile: %1").arg(valueText(shown["profile"], "none"));

    const QJsonObject light = shown["light"].toObject();
    QStringList lightParts{QStringLiteral("mode ") + light["mode"].toString()};
    const QStringList stepKeys = lightStepKeys();
    for (int s = 0; s < settings::kLightScaleCount; ++s)
        lightParts << QLatin1String(settings::kLightScales[s].name) + QLatin1Char(' ') +
                          valueText(light[stepKeys[s]], {});
    lightParts << QStringLiteral("colour mode %1").arg(valueText(light["colorMode"], {}))
               << QStringLiteral("colour 1 %1 %")
                      .arg(joined(light["color1"].toArray(), QStringLiteral("/")))
               << QStringLiteral("colour 2 %1 %")
                      .arg(joined(light["color2"].toArray(), QStringLiteral("/")));
    out << QStringLiteral("breathing light%1: %2")
               .arg(light["bypassed"].toBool() ? QStringLiteral(" (bypassed)") : QString(),
                    lightParts.join(QStringLiteral(", ")));

    QStringList fireKeys;
    int n = 1;
    for (const QJsonValue key : shown["fireKeys"].toArray())
        fireKeys << QStringLiteral("%1: repeat %2, delay %3")
                        .arg(n++)
                        .arg(valueText(key["repeat"], {}), valueText(key["delay"], {}));
    out << QStringLiteral("fire keys: %1").arg(fireKeys.join(QStringLiteral("; ")));
    out << QStringLiteral("fire modes: %1").arg(joined(shown["fireModes"].toArray()));

    const QJsonObject buttons = shown["buttons"].toObject();
    for (const char *profile : kProfileNames) {
        out << QStringLiteral("buttons, %1 profile:").arg(QLatin1String(profile));
        int button = 1;
        for (const QJsonValue entry : buttons[QLatin1String(profile)].toArray())
            out << QStringLiteral("  %1  %2  %3")
                       .arg(button++, 2)
                       .arg(entry["code"].toString(), entry["text"].toString());
    }

    out << QStringLiteral("macros:");
    for (const QJsonValue macro : shown["macros"].toArray()) {
        out << QStringLiteral("  %1  %2  (%3 bytes)")
                   .arg(macro["slot"].toInt(), 2)
                   .arg(macro["name"].toString())
                   .arg(macro["length"].toInt());
        for (const QJsonValue line : macro["lines"].toArray())
            out << QStringLiteral("      %1").arg(line.toString());
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
