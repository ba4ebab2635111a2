#pragma once

#include <QString>
#include <QUrl>

// The address the web button opens. The program's user guide, when it is
// installed beside the program (<prefix>/share/doc/gaming-mouse/index.html
// for <prefix>/bin/gaming-mouse), takes the place of the address the layout
// stores; without it the stored address is opened as it stands.
QUrl resolveWebAddress(const QString &storedAddress);
QUrl resolveWebAddress(const QString &storedAddress, const QString &programDirectory);

// Where the installed user guide lies for a program in `programDirectory`.
QString installedGuidePath(const QString &programDirectory);
