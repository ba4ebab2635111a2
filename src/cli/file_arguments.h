#pragma once

#include <QString>
#include <QTemporaryFile>

#include <memory>
#include <optional>

// File arguments as Unix tools take them: "-" is standard input or standard
// output, an empty name is a usage error, and only regular files are read
// or replaced, through any symbolic links (a FIFO would block a read forever;
// a device node, a folder or a socket must never be replaced by a profile).
// Every path argument of every command goes through these rules.
//
// The core reads and writes named files, so "-" travels through a temporary
// file: the input is copied from standard input before the command runs, the
// output is copied to standard output once the command wrote it.

inline const QString kStdStream = QStringLiteral("-");

// The usage error for an empty value, or an empty string when `value` is not
// empty. `what` names the argument ("write's FILE", "--profile").
QString emptyValueError(const QString &value, const QString &what);

// A profile file changed in place (--profile): it must already be one, a
// regular file of exactly a profile's size, so that nothing else (a device
// node, a FIFO, a text or macro file) is ever read as a profile or replaced
// by one. Returns the path to read and replace, symbolic links resolved, or
// nullopt with a one-line `error` and the exit `status` (2 for an empty name
// or "-", 1 otherwise). A missing file is returned as given; reading it
// then fails with its name.
std::optional<QString> profileInPlace(const QString &argument, QString *error, int *status);

// The whole of a text argument that is read into memory ("-": standard
// input), by the rules above and at most `limit` bytes: an endless stream
// or a huge file is refused when the limit is reached, never read on.
// nullopt with a one-line `error` and the exit `status`: 2 for input larger
// than the limit, 1 for a file that cannot be read or is not a regular file.
std::optional<QByteArray> readTextArgument(const QString &argument, qint64 limit, QString *error,
                                           int *status);

class InputFile
{
public:
    // False with a one-line `error` when the file exists but is not a
    // regular file, or standard input cannot be read. A missing file is
    // left to the reader, which names it in its own error.
    bool open(const QString &argument, QString *error);
    // The name to read from.
    QString path() const;
    // `message` with the temporary file's name replaced by "-".
    QString shown(QString message) const;

private:
    QString m_argument;
    std::unique_ptr<QTemporaryFile> m_copy;
};

class OutputFile
{
public:
    // False with a one-line `error` when the target exists and is not a
    // regular file (nothing is written then).
    bool open(const QString &argument, QString *error);
    // The name to write to.
    QString path() const;
    QString shown(QString message) const;
    // For "-": copies what was written to standard output.
    bool finish(QString *error);

private:
    QString m_argument;
    std::unique_ptr<QTemporaryFile> m_copy;
};
