#include "json_diff.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString compact(const QJsonValue &value)
{
    if (value.isUndefined())
        return QStringLiteral("(absent)");
    // QJsonDocument holds only objects and arrays; wrap anything else.
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

bool allObjects(const QJsonArray &array)
{
    for (const QJsonValue item : array) {
        if (!item.isObject())
            return false;
    }
    return true;
}

QString joinPath(const QString &path, const QString &key)
{
    return path.isEmpty() ? key : path + QLatin1Char('.') + key;
}

} // namespace

QStringList jsonDifferences(const QJsonValue &before, const QJsonValue &after, const QString &path)
{
    if (before == after)
        return {};
    if (before.isObject() && after.isObject()) {
        const QJsonObject a = before.toObject();
        const QJsonObject b = after.toObject();
        QStringList keys = a.keys();
        for (const QString &key : b.keys()) {
            if (!keys.contains(key))
                keys.append(key);
        }
        QStringList lines;
        for (const QString &key : keys)
            lines += jsonDifferences(a.value(key), b.value(key), joinPath(path, key));
        return lines;
    }
    if (before.isArray() && after.isArray()) {
        const QJsonArray a = before.toArray();
        const QJsonArray b = after.toArray();
        if (a.size() == b.size() && allObjects(a) && allObjects(b)) {
            QStringList lines;
            for (qsizetype i = 0; i < a.size(); ++i)
                lines += jsonDifferences(a.at(i), b.at(i), path + QStringLiteral("[%1]").arg(i));
            return lines;
        }
    }
    return {QStringLiteral("%1: %2 -> %3").arg(path, compact(before), compact(after))};
}
