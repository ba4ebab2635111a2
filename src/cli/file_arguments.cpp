#include "file_arguments.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

// Generous: the largest file the tool reads (a profile) has 34048 bytes, and
// every reader ignores what lies past its size.
constexpr qint64 kMaxInputBytes = 1 << 20;

bool notRegular(const QString &path, const QString &what, QString *error)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists()) {
        *error =
            QStringLiteral("%1 \"%2\" is a symbolic link that leads to no file").arg(what, path);
        return true;
    }
    if (info.exists() && !info.isFile()) {
        *error = QStringLiteral("%1 \"%2\" is not a regular file").arg(what, path);
        return true;
    }
    return false;
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
    const QByteArray bytes = in.read(kMaxInputBytes);
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
