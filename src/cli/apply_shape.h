#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// The three profiles' keys under "buttons" and the light's step keys, as
// `show --json` prints them.
inline const char *const kProfileKeys[] = {"main", "switch", "fixed"};
// The light's step keys ("offStep" ...), in the order of its scales.
QStringList lightStepKeys();

// The top-level keys of the settings declared as one number each.
QStringList numericJsonKeys();

// Whether `root` has only keys `show --json` prints, each of its type;
// otherwise `error` names the first that is not.
bool checkShape(const QJsonObject &root, QString *error);
