// The breathing light's values as the command line and JSON give them.
#include "setting_edits.h"

#include "settings/setting_declarations.h"

std::optional<BreathingPageModel::LightMode> parseLightMode(const QString &mode, QString *error)
{
    const QStringList names = settings::lightModeNames();
    for (int m = 0; m < names.size(); ++m) {
        if (mode.compare(names[m], Qt::CaseInsensitive) == 0)
            return BreathingPageModel::LightMode(m);
    }
    *error = QStringLiteral("light mode \"%1\": use %2").arg(mode, settings::alternatives(names));
    return std::nullopt;
}

std::optional<BreathingPageModel::LedColourMode> parseColourMode(const QString &mode,
                                                                 QString *error)
{
    const std::optional<int> number = wholeNumber(mode);
    if (number && settings::kColourMode.range.contains(*number))
        return BreathingPageModel::LedColourMode(*number);
    *error = QStringLiteral("colour mode \"%1\": use %2")
                 .arg(mode.trimmed(), settings::alternatives(settings::kColourMode.range.values()));
    return std::nullopt;
}

std::optional<int> checkStep(const QString &what, int step, QString *error)
{
    if (settings::kLightStep.range.contains(step))
        return step;
    *error = stepError(what, QString::number(step));
    return std::nullopt;
}

QString stepError(const QString &what, const QString &given)
{
    return QStringLiteral("%1 %2 %3: use %4")
        .arg(what, QLatin1String(settings::kLightStep.name), given,
             settings::kLightStep.range.text());
}

std::optional<Rgb> parseColour(const QString &colour, QString *error)
{
    QString hex = colour.trimmed();
    if (hex.startsWith(QLatin1Char('#')))
        hex.remove(0, 1);
    bool ok = hex.size() == 6;
    for (const QChar c : hex)
        ok = ok && QStringLiteral("0123456789abcdefABCDEF").contains(c);
    if (!ok) {
        *error = QStringLiteral("colour \"%1\": use six hex digits RRGGBB").arg(colour);
        return std::nullopt;
    }
    const uint value = hex.toUInt(nullptr, 16);
    return Rgb{int(value >> 16 & 0xFF), int(value >> 8 & 0xFF), int(value & 0xFF)};
}
