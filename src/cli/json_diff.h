#pragma once

#include <QJsonValue>
#include <QStringList>

// The differences between two descriptions of a configuration, one line per
// changed value: "path: old -> new", values as compact JSON. Objects are
// followed key by key and arrays of objects item by item ("buttons.main[4]",
// counting from 0 as JSON does); any other changed value is shown whole.
QStringList jsonDifferences(const QJsonValue &before, const QJsonValue &after,
                            const QString &path = QString());
