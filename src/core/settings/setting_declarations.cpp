#include "settings/setting_declarations.h"

QString ValueRange::text() const
{
    if (eitherEnd)
        return QStringLiteral("%1 or %2").arg(first).arg(last);
    const QString span =
        first == last ? QString::number(first) : QStringLiteral("%1-%2").arg(first).arg(last);
    return alsoAllowed ? QStringLiteral("%1 or %2").arg(*alsoAllowed).arg(span) : span;
}

QStringList ValueRange::values() const
{
    QStringList all;
    if (eitherEnd)
        return {QString::number(first), QString::number(last)};
    if (alsoAllowed)
        all.append(QString::number(*alsoAllowed));
    for (int value = first; value <= last; ++value)
        all.append(QString::number(value));
    return all;
}

QString SettingCount::choiceText() const
{
    // The choices are small: two to four levels, one to three modes.
    static const char *const kWords[] = {"zero", "one", "two",   "three", "four",
                                         "five", "six", "seven", "eight"};
    const auto word = [](int n) {
        return n >= 0 && n < int(std::size(kWords)) ? QString::fromLatin1(kWords[n])
                                                    : QString::number(n);
    };
    return QStringLiteral("%1 to %2").arg(word(fewest), word(most));
}

QStringList settings::lightModeNames()
{
    QStringList names;
    for (const char *name : kLightModeNames)
        names.append(QLatin1String(name));
    return names;
}

QString settings::alternatives(const QStringList &values)
{
    if (values.size() < 2)
        return values.join(QString());
    return QStringList(values.mid(0, values.size() - 1)).join(QStringLiteral(", ")) +
           QStringLiteral(" or ") + values.constLast();
}
