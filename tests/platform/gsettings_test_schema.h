#pragma once

#include <QString>

// Compiles a copy of the desktop's mouse schema into `dir` and points GLib at
// it alone, with settings kept in memory. Must run before GLib first looks
// for schemas in this process. Empty on success, else why it failed.
QString useTestMouseSchema(const QString &dir, bool withSchema = true);
