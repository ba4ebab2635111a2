#pragma once

#include <QString>

#include <functional>

// The core's savers work like the file dialogs: they take the name the user
// chose and always append ".bin". A command line names the file itself, so
// the saver runs on a name inside a private folder beside the target and the
// one file it wrote is then renamed over the target in a single step. The
// target is thus either replaced completely or left as it was.
//
// `save` gets the chosen name, returns true on success and sets `written` to
// the file it produced; on failure it sets `error`, and the error names the
// target, never the private folder.
using ChosenNameSaver =
    std::function<bool(const QString &chosenName, QString *written, QString *error)>;

bool saveExactly(const QString &target, const ChosenNameSaver &save, QString *error);
