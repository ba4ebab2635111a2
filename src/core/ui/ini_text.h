#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// One section of an INI text: keys looked up without regard to letter case,
// the first entry of a key winning.
class IniSection
{
public:
    std::optional<QString> value(QStringView key) const;
    bool contains(QStringView key) const { return value(key).has_value(); }
    // Keys as written, in file order.
    QStringList keys() const { return m_keys; }
    bool isEmpty() const { return m_keys.isEmpty(); }

    void add(const QString &key, const QString &value);

private:
    QHash<QString, QString> m_values; // case-folded key -> value
    QStringList m_keys;
};

// An INI text: sections by name (letter case ignored). A section that appears
// twice collects the entries of both.
class IniText
{
public:
    // The named section; empty when absent.
    IniSection section(QStringView name) const;
    QStringList sectionNames() const { return m_names; }

    IniSection &sectionForWriting(const QString &name);

private:
    QHash<QString, IniSection> m_sections;
    QStringList m_names;
};

// Texts larger than this are refused (read as empty); layout texts are a few
// kilobytes.
inline constexpr qsizetype kMaxIniBytes = 16 * 1024 * 1024;

// Reads lines as INI text: each line trimmed of blanks; empty lines and lines
// starting with ';' skipped; "[name]" opens a section; any other line is an
// entry split at its first '=' (key and value trimmed; lines without '=' are
// ignored, as are entries before the first section).
IniText parseIniLines(QStringView text);

// Parses 8-bit INI text (each byte one character, CR LF, LF or CR line ends).
IniText parseIniText(QByteArrayView bytes);
