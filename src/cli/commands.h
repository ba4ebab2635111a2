#pragma once

#include "mouse_session.h"

#include <QStringList>

// Each command takes its own arguments (args[0] is the command's name) and
// returns the exit status.
int runStatus(const SessionOptions &options, const QStringList &args);
int runRead(const SessionOptions &options, const QStringList &args);
int runWrite(const SessionOptions &options, const QStringList &args);
int runReset(const SessionOptions &options, const QStringList &args);
int runShow(const SessionOptions &options, const QStringList &args);
int runMacro(const SessionOptions &options, const QStringList &args);
int runMacroRename(const SessionOptions &options, const QStringList &args);
int runSet(const SessionOptions &options, const QStringList &args);
int runButton(const SessionOptions &options, const QStringList &args);
int runApply(const SessionOptions &options, const QStringList &args);
int runBackups(const SessionOptions &options, const QStringList &args);
int runRestore(const SessionOptions &options, const QStringList &args);
