#pragma once

#include "mouse_session.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <functional>

// Exit statuses of the tool.
enum ExitStatus : int
{
    ExitOk = 0,
    ExitFailed = 1, // the device, a file or a transfer let the command down
    ExitUsage = 2,  // the command line itself is wrong
};

// One error line on standard error, prefixed with the program's name. A
// value quoted in it that is longer than a line is cut.
int fail(const QString &message, int status = ExitFailed);
// Plain output on standard output.
void printOut(const QString &text);
// The status a run ends with: a command whose output could not be written
// (a full disk, a closed pipe) has failed, whatever it did besides.
int withOutputChecked(int status);

// Parses a command's own arguments (args[0] is the command's name). Returns
// false with `status` set when the command ends here: help shown (0) or a
// usage error reported (2).
bool parseCommand(QCommandLineParser &parser, const QStringList &args, int *status);

// Starts the session, runs `body` and saves the simulated memory and the
// trace, whatever the body's outcome; a failed save turns success into failure.
int withSession(const SessionOptions &options, const std::function<int(MouseSession &)> &body);

// Searches and identifies the mouse; on anything but a connected mouse the
// error line names the state and false is returned.
bool requireConnected(MouseSession &session, int *status);
// The error line for a mouse that is not connected in `state`.
QString connectionError(MouseSession &session, ConnectionState state);

// The message the last transfer left (as the window would have shown it in
// a box), or `fallback` when it left none.
QString transferMessage(MouseSession &session, const QString &fallback);
