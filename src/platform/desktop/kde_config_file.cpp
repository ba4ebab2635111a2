#include "kde_config_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

namespace {

constexpr int kLockWaitMs = 2000;

// "[KDE]" names group "KDE"; "[KDE][$i]" the same group, immutable;
// "[KDE][Sub]" a nested group, which is another group.
struct Header
{
    bool isHeader = false;
    QString group; // the whole path, nested parts joined by '\x1d'
    bool immutable = false;
};

Header parseHeader(const QString &line)
{
    Header header;
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return header;
    header.isHeader = true;
    QStringList parts;
    qsizetype pos = 0;
    while (pos < t.size() && t.at(pos) == QLatin1Char('[')) {
        const qsizetype end = t.indexOf(QLatin1Char(']'), pos);
        if (end < 0)
            break;
        parts << t.mid(pos + 1, end - pos - 1);
        pos = end + 1;
    }
    if (!parts.isEmpty() && parts.last() == QLatin1String("$i")) {
        header.immutable = true;
        parts.removeLast();
    }
    header.group = parts.join(QChar(0x1d));
    return header;
}

// The key of an entry line and whether it carries [$i]; no key for
// comments, blank lines and localised variants.
struct Entry
{
    QString key;
    QString value;
    bool immutable = false;
};

std::optional<Entry> parseEntry(const QString &line)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char('#')) || t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    QString key = t.left(eq).trimmed();
    Entry entry;
    entry.value = t.mid(eq + 1).trimmed();
    const qsizetype bracket = key.indexOf(QLatin1Char('['));
    if (bracket >= 0) {
        const QString markers = key.mid(bracket);
        // Only $-markers belong to the plain key; [de] and the like are
        // translations of it.
        const QStringList parts =
            markers.mid(1, markers.size() - 2).split(QStringLiteral("]["), Qt::KeepEmptyParts);
        for (const QString &part : parts) {
            if (!part.startsWith(QLatin1Char('$')))
                return std::nullopt;
            if (part.contains(QLatin1Char('i')))
                entry.immutable = true;
        }
        key = key.left(bracket).trimmed();
    }
    entry.key = key;
    return entry;
}

} // namespace

std::optional<QString> KdeConfigFile::read(const QString &group, const QString &key) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    bool inGroup = false;
    std::optional<QString> found;
    for (const QString &line : lines) {
        const Header header = parseHeader(line);
        if (header.isHeader) {
            inGroup = header.group == group;
            continue;
        }
        if (!inGroup)
            continue;
        if (const auto entry = parseEntry(line); entry && entry->key == key)
            found = entry->value; // the last one counts, as in KDE
    }
    return found;
}

std::optional<QString> KdeConfigFile::withEntry(const QString &text, const QString &group,
                                                const QString &key, const QString &value)
{
    QStringList lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    // A final newline leaves one empty piece; it is put back on joining.
    const bool endsWithNewline = text.endsWith(QLatin1Char('\n'));
    if (endsWithNewline)
        lines.removeLast();

    const QString newLine = key + QLatin1Char('=') + value;
    bool inGroup = false;
    bool seenGroup = false;
    qsizetype lastEntryOfGroup = -1;
    qsizetype entryLine = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const QString trimmed = line.trimmed();
        if (i == 0 && trimmed == QLatin1String("[$i]"))
            return std::nullopt; // the whole file is immutable
        const Header header = parseHeader(line);
        if (header.isHeader) {
            inGroup = header.group == group;
            if (inGroup) {
                if (header.immutable)
                    return std::nullopt;
                seenGroup = true;
                lastEntryOfGroup = i;
            }
            continue;
        }
        if (!inGroup)
            continue;
        if (!trimmed.isEmpty())
            lastEntryOfGroup = i;
        if (const auto entry = parseEntry(line); entry && entry->key == key) {
            if (entry->immutable)
                return std::nullopt;
            entryLine = i;
        }
    }

    if (entryLine >= 0) {
        // Keep the key as written, markers and all; replace what follows '='.
        const QString &line = lines.at(entryLine);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const bool carriageReturn = line.endsWith(QLatin1Char('\r'));
        lines[entryLine] = line.left(eq + 1) + value;
        if (carriageReturn)
            lines[entryLine] += QLatin1Char('\r');
    } else if (seenGroup) {
        lines.insert(lastEntryOfGroup + 1, newLine);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << QLatin1Char('[') + group + QLatin1Char(']') << newLine;
    }
    QString result = lines.join(QLatin1Char('\n'));
    if (endsWithNewline || entryLine < 0)
        result += QLatin1Char('\n');
    return result;
}

bool KdeConfigFile::write(const QString &group, const QString &key, const QString &value) const
{
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs))
        return false;

    QString text;
    QFile in(m_path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly))
            return false;
        text = QString::fromUtf8(in.readAll());
        in.close();
    }
    const std::optional<QString> changed = withEntry(text, group, key, value);
    if (!changed)
        return false;
    if (*changed == text)
        return true;

    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = changed->toUtf8();
    if (out.write(bytes) != bytes.size())
        return false;
    return out.commit();
}
