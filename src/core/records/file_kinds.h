#pragma once

#include <QString>

// Which files the programs read or replace when a user names them: regular
// files only, reached through any symbolic links. A FIFO would block a read
// forever; a device node, a folder or a socket must never be replaced by a
// file this program writes (run as root, that would replace /dev/null).
//
// Empty when `path` names a regular file or nothing yet; otherwise the
// one-line refusal, naming the file as `what` ("the output").
QString unusableFileReason(const QString &path, const QString &what);
