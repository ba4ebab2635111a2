#include "ui/language.h"

#include <QFile>

#include <array>

namespace {

constexpr char16_t kQuote = u'"';

// Characters 1-32 separate entries. NUL is treated the same way so that a
// stray NUL neither glues two entries together nor cuts the text short.
bool isSeparator(char16_t c)
{
    return c <= 32;
}

// Reads a quoted entry starting at the opening quote; `pos` ends just past
// the closing quote, or at the end of the text when there is none.
QString readQuoted(QStringView text, qsizetype &pos)
{
    QString entry;
    ++pos; // opening quote
    while (pos < text.size()) {
        const char16_t c = text[pos].unicode();
        if (c == kQuote) {
            if (pos + 1 < text.size() && text[pos + 1].unicode() == kQuote) {
                entry.append(QChar(kQuote));
                pos += 2;
                continue;
            }
            ++pos;
            return entry;
        }
        entry.append(QChar(c));
        ++pos;
    }
    return entry;
}

} // namespace

QString LanguageTable::text(QStringView key) const
{
    return m_values.value(key.toString().toCaseFolded());
}

bool LanguageTable::contains(QStringView key) const
{
    return m_values.contains(key.toString().toCaseFolded());
}

void LanguageTable::add(const QString &key, const QString &value)
{
    const QString folded = key.toCaseFolded();
    if (m_values.contains(folded))
        return;
    m_values.insert(folded, value);
    m_keys.append(key);
}

QStringList splitLanguageEntries(QStringView text)
{
    QStringList entries;
    qsizetype pos = 0;
    const qsizetype size = text.size();
    while (true) {
        while (pos < size && isSeparator(text[pos].unicode()))
            ++pos;
        if (pos >= size)
            break;
        if (text[pos].unicode() == kQuote) {
            entries.append(readQuoted(text, pos));
        } else {
            const qsizetype start = pos;
            while (pos < size && !isSeparator(text[pos].unicode()))
                ++pos;
            entries.append(text.sliced(start, pos - start).toString());
        }
    }
    return entries;
}

LanguageTable languageSection(const QStringList &entries, int languageNumber)
{
    const QString wanted = QStringLiteral("lang%1").arg(languageNumber).toCaseFolded();
    LanguageTable table;
    bool inWanted = false;
    for (const QString &entry : entries) {
        if (entry.isEmpty() || entry.startsWith(u';'))
            continue;
        if (entry.startsWith(u'[') && entry.endsWith(u']') && entry.size() >= 2) {
            inWanted = entry.sliced(1, entry.size() - 2).toCaseFolded() == wanted;
            continue;
        }
        const qsizetype equals = entry.indexOf(u'=');
        if (equals < 0 || !inWanted)
            continue;
        table.add(entry.first(equals), entry.sliced(equals + 1));
    }
    return table;
}

LanguageTable parseLanguage(QByteArrayView bytes, int languageNumber)
{
    if (bytes.size() < 2 || bytes.size() > kMaxLanguageBytes)
        return {};
    // The first two bytes are always taken as the byte-order mark.
    const qsizetype units = (bytes.size() - 2) / 2;
    QString text(units, Qt::Uninitialized);
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data()) + 2;
    for (qsizetype i = 0; i < units; ++i)
        text[i] = QChar(char16_t(data[2 * i] | (data[2 * i + 1] << 8)));
    return languageSection(splitLanguageEntries(text), languageNumber);
}

QString languageResourcePath(int languageNumber)
{
    if (languageNumber < 1 || languageNumber > 3)
        return {};
    return QStringLiteral(":/lang/LANG%1").arg(languageNumber);
}

LanguageTable OpenLanguage(int languageNumber)
{
    static const std::array<LanguageTable, 3> tables = [] {
        std::array<LanguageTable, 3> loaded;
        for (int n = 1; n <= 3; ++n) {
            QFile file(languageResourcePath(n));
            if (file.open(QIODevice::ReadOnly) && file.size() <= kMaxLanguageBytes)
                loaded[n - 1] = parseLanguage(file.readAll(), n);
        }
        return loaded;
    }();
    if (languageNumber < 1 || languageNumber > 3)
        return {};
    return tables[languageNumber - 1];
}

QString LanguageText(const LanguageTable &table, QStringView key)
{
    return table.text(key);
}

QString FindTextKey(const QString &caption)
{
    if (caption.isEmpty())
        return {};
    QString found;
    for (int n = 1; n <= 3; ++n) {
        const LanguageTable table = OpenLanguage(n);
        for (int i = 0; i <= 600; ++i) {
            const QString key = QStringLiteral("Str") + QString::number(i);
            if (table.contains(key) && table.text(key) == caption)
                found = key;
        }
    }
    return found;
}

TextLookup languageLookup(int languageNumber)
{
    return [table = OpenLanguage(languageNumber)](const QString &key) { return table.text(key); };
}
