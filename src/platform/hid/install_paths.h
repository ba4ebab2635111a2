#pragma once

#include <QString>

// Where the installed program finds the files that come with it. Paths are
// looked up relative to the program's own folder first, so an installation
// under any prefix (or a relocated one) works.

// The user guide (user-guide.html): next to the program's data as installed
// (<bindir>/../share/gaming-mouse/), then in the prefix the build was
// configured for, then in the source tree when the program runs from its
// build folder. Empty when none exists.
QString userGuidePath(const QString &applicationDir);
