#include "macros/macro_names.h"

#include "records/image_buffers.h"

#include <algorithm>

QString fitMacroName(const QString &name)
{
    if (name.size() <= kMacroNameMaxUnits)
        return name;
    qsizetype units = kMacroNameMaxUnits;
    if (name.at(units - 1).isHighSurrogate() && name.at(units).isLowSurrogate())
        --units;
    return name.left(units);
}

QString decodeMacroName(QByteArrayView entry)
{
    if (entry.size() <= 3)
        return QString();
    qsizetype length = std::min<qsizetype>(quint8(entry[3]), kMacroNameFieldSize);
    length = std::min<qsizetype>(length, entry.size() - kMacroNameFieldOffset);
    qsizetype start = kMacroNameFieldOffset;
    if (length % 2 != 0) {
        ++start;
        --length;
    }
    QString name;
    name.reserve(length / 2);
    for (qsizetype i = 0; i < length; i += 2) {
        const char16_t unit =
            char16_t((quint8(entry[start + i]) << 8) | quint8(entry[start + i + 1]));
        name.append(QChar(unit));
    }
    return name;
}

QByteArray encodeMacroName(QByteArrayView entry, const QString &name)
{
    QByteArray result =
        entry.first(std::min<qsizetype>(entry.size(), kMacroNameEntrySize)).toByteArray();
    if (result.size() < kMacroNameEntrySize)
        result.append(QByteArray(kMacroNameEntrySize - result.size(), char(0xFF)));
    const QString fitted = fitMacroName(name);
    result[2] = 0;
    result[3] = char(fitted.size() * 2);
    for (qsizetype i = 0; i < fitted.size(); ++i) {
        const char16_t unit = fitted.at(i).unicode();
        result[kMacroNameFieldOffset + 2 * i] = char(unit >> 8);
        result[kMacroNameFieldOffset + 2 * i + 1] = char(unit & 0xFF);
    }
    return result;
}

int macroStreamLength(QByteArrayView entry)
{
    if (entry.size() < 2)
        return 0;
    return (quint8(entry[0]) << 8) | quint8(entry[1]);
}

QByteArrayView macroNameEntry(const QByteArray &table, int index)
{
    if (index < 0 || index >= kMacroCount)
        return QByteArrayView();
    const qsizetype offset = qsizetype(index) * kMacroNameEntrySize;
    if (offset >= table.size())
        return QByteArrayView();
    return QByteArrayView(table).sliced(
        offset, std::min<qsizetype>(kMacroNameEntrySize, table.size() - offset));
}

QStringList RefreshMacroName(const QByteArray &table)
{
    QStringList names;
    for (int i = 0; i < kMacroCount; ++i)
        names.append(decodeMacroName(macroNameEntry(table, i)));
    return names;
}

void UIToMacroName(QByteArray &table, const QStringList &names)
{
    const int count = int(std::min<qsizetype>(names.size(), kMacroCount));
    for (int i = 0; i < count; ++i) {
        const qsizetype offset = qsizetype(i) * kMacroNameEntrySize;
        if (offset + kMacroNameEntrySize > table.size())
            break;
        const QByteArray entry = encodeMacroName(macroNameEntry(table, i), names[i]);
        std::copy(entry.cbegin(), entry.cend(), table.begin() + offset);
    }
}
