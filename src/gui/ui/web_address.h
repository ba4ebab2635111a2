#pragma once

#include <QString>
#include <QUrl>

// The address the web button opens. The program's own user guide, where it
// is found (installed beside the program, or in the source tree of a build),
// takes the place of the address the layout stores; without it the stored
// address is opened as it stands.
QUrl resolveWebAddress(const QString &storedAddress);
// The same with the guide's path given (empty: no guide).
QUrl resolveWebAddress(const QString &storedAddress, const QString &guidePath);
