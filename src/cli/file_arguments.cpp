#include "file_arguments.h"

#include "records/file_kinds.h"
#include "records/image_buffers.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

// Generous: the largest file the tool reads (a profile) has 34048 bytes, and
// every reader ignores what lies past its size.
constexpr qint64 kMaxInputBytes = 1 << 20;

bool notRegular(const QString &path, const QString &what, QString *error)
{
    *error = unusableFileReason(path, what);
    return !error->isEmpty();
}

// At most `limit` bytes of `device`, and whether it had more. A pipe hands
// over what it holds at the moment, so the pieces are gathered up to the
// limit or the end.
QByteArray readUpTo(QIODevice &device, qint64 limit, bool *more)
{
    QByteArray bytes;
    while (bytes.size() < limit) {
        const QByteArray piece = device.read(limit - bytes.size());
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    *more = bytes.size() == limit && !device.read(1).isEmpty();
    return bytes;
}

std::unique_ptr<QTemporaryFile> temporaryCopy()
{
    auto file = std::make_unique<QTemporaryFile>();
    if (!file->open())
        return nullptr;
    return file;
}

} // namespace

QString emptyValueError(const QString &value, const QString &what)
{
    if (!value.isEmpty())
        return {};
    return QStringLiteral("%1 needs a file name, not an empty one (\"-\" for the standard "
                          "streams)")
        .arg(what);
}

std::optional<QString> profileInPlace(const QString &argument, QString *error, int *status)
{
    *status = 2;
    *error = emptyValueError(argument, QStringLiteral("--profile"));
    if (argument == kStdStream)
        *error = QStringLiteral("--profile is changed in place and cannot be \"-\"");
    if (!error->isEmpty())
        return std::nullopt;
    *status = 1;
    if (notRegular(argument, QStringLiteral("--profile"), error))
        return std::nullopt;
    const QFileInfo info(argument);
    if (!info.exists())
        return argument;
    if (info.size() != kImageSize) {
        *error = QStringLiteral("\"%1\" is not a profile file: it has %2 bytes, not %3")
                     .arg(argument)
                     .arg(info.size())
                     .arg(kImageSize);
        return std::nullopt;
    }
    return info.canonicalFilePath();
}

std::optional<QByteArray> readTextArgument(const QString &argument, qint64 limit, QString *error,
                                           int *status)
{
    *status = 1;
    QFile file;
    bool opened = false;
    if (argument == kStdStream) {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
        if (notRegular(argument, QStringLiteral("the input"), error))
            return std::nullopt;
        file.setFileName(argument);
        opened = file.open(QIODevice::ReadOnly);
    }
    if (!opened) {
        *error = QStringLiteral("cannot open \"%1\"").arg(argument);
        return std::nullopt;
    }
    bool more = false;
    const QByteArray bytes = readUpTo(file, limit, &more);
    if (more) {
        *status = 2;
        const QString name = argument == kStdStream
                                 ? QStringLiteral("standard input")
                                 : QLatin1Char('"') + argument + QLatin1Char('"');
        *error = QStringLiteral("%1 is larger than %2 bytes; nothing was read past them")
                     .arg(name)
                     .arg(limit);
        return std::nullopt;
    }
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("cannot read \"%1\"").arg(argument);
        return std::nullopt;
    }
    return bytes;
}

bool InputFile::open(const QString &argument, QString *error)
{
    m_argument = argument;
    if (argument != kStdStream)
        return !notRegular(argument, QStringLiteral("the input"), error);
    m_copy = temporaryCopy();
    QFile in;
    if (!m_copy || !in.open(stdin, QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read standard input");
        return false;
    }
    bool more = false; // what lies past the size of any file read is ignored
    const QByteArray bytes = readUpTo(in, kMaxInputBytes, &more);
    if (m_copy->write(bytes) != bytes.size() || !m_copy->flush()) {
        *error = QStringLiteral("cannot keep standard input in a temporary file");
        return false;
    }
    m_copy->close();
    return true;
}

QString InputFile::path() const
{
    return m_copy ? m_copy->fileName() : m_argument;
}

QString InputFile::shown(QString message) const
{
    return m_copy ? message.replace(m_copy->fileName(), kStdStream) : message;
}

bool OutputFile::open(const QString &argument, QString *error)
{
    m_argument = argument;
    if (argument != kStdStream)
        return !notRegular(argument, QStringLiteral("the output"), error);
    m_copy = temporaryCopy();
    if (!m_copy) {
        *error = QStringLiteral("cannot make a temporary file for standard output");
        return false;
    }
    m_copy->close();
    return true;
}

QString OutputFile::path() const
{
    return m_copy ? m_copy->fileName() : m_argument;
}

QString OutputFile::shown(QString message) const
{
    return m_copy ? message.replace(m_copy->fileName(), kStdStream) : message;
}

bool OutputFile::finish(QString *error)
{
    if (!m_copy)
        return true;
    QFile written(m_copy->fileName());
    QFile out;
    if (!written.open(QIODevice::ReadOnly) || !out.open(stdout, QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write to standard output");
        return false;
    }
    const QByteArray bytes = written.readAll();
    if (out.write(bytes) != bytes.size() || !out.flush()) {
        *error = QStringLiteral("cannot write to standard output");
        return false;
    }
    return true;
}
