#pragma once

#include "records/text_lookup.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

// The texts of one language: the key/value entries of its section, looked up
// without regard to letter case as INI keys are. The first entry of a key wins.
class LanguageTable
{
public:
    // Text of a key, empty when the key is absent.
    QString text(QStringView key) const;
    bool contains(QStringView key) const;
    // Keys in the order they appear in the resource, as written there. A copy
    // (cheap, shared) so that iterating the keys of a temporary table is safe.
    QStringList keys() const { return m_keys; }
    qsizetype size() const { return m_keys.size(); }
    bool isEmpty() const { return m_keys.isEmpty(); }

    // Adds an entry unless the key is already present.
    void add(const QString &key, const QString &value);

private:
    QHash<QString, QString> m_values; // case-folded key -> text
    QStringList m_keys;
};

// Language resources larger than this are refused (read as empty): the real
// ones are a few kilobytes, and a runaway file should not exhaust memory.
inline constexpr qsizetype kMaxLanguageBytes = 16 * 1024 * 1024;

// Splits language text into entries: runs of characters 0-32 separate them,
// an entry opening with a double quote runs to its closing quote (two quotes
// stand for one) and loses the quotes.
QStringList splitLanguageEntries(QStringView text);

// Reads entries as INI lines and keeps those of section "lang<n>".
LanguageTable languageSection(const QStringList &entries, int languageNumber);

// Parses a raw language resource: UTF-16LE whose first two bytes are skipped
// as the byte-order mark, whatever they hold. Never reads past the input; an
// odd last byte is ignored.
LanguageTable parseLanguage(QByteArrayView bytes, int languageNumber);

// Resource path of language n (1-3), e.g. ":/lang/LANG1"; empty for others.
QString languageResourcePath(int languageNumber);

// The parsed table of language n from the embedded resources; empty for an
// unknown number. The resources are compiled in, so each language is parsed
// once and kept for the life of the process.
LanguageTable OpenLanguage(int languageNumber);

// Text of a key in an opened table, empty when absent.
QString LanguageText(const LanguageTable &table, QStringView key);

// Traces a caption back to its key: the last of "Str<i>" (i = 0..600 in plain
// decimal, languages 1, 2, 3 in turn) whose text equals the caption exactly.
// Numbers below 100 have no leading zeros, so only Str100 upwards can match.
// An empty caption matches nothing.
QString FindTextKey(const QString &caption);

// A lookup for the given language, for code that is handed its texts.
TextLookup languageLookup(int languageNumber);
