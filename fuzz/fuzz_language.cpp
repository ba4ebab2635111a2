// A language resource from the fuzz input through the reader. Besides
// staying inside the input, the table must be consistent (one entry per
// key, whatever the letter case) and writing it back in the shipped
// quoted form must read as the same table.
//
// Input: byte 0 chooses the section read (1-3, or a number no file has),
// the rest is the resource.

#include "fuzz_support.h"

#include "ui/language.h"

#include <QSet>

#include <vector>

namespace {

// The table as a resource of the shipped kind: a byte-order mark, the
// section header, then one quoted "key=value" entry per line.
QByteArray writeLanguage(const LanguageTable &table, int languageNumber)
{
    QString text = QStringLiteral("[lang%1]\r\n").arg(languageNumber);
    for (const QString &key : table.keys()) {
        QString entry = key + u'=' + table.text(key);
        entry.replace(u'"', QStringLiteral("\"\""));
        text += u'"' + entry + QStringLiteral("\"\r\n");
    }
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const int languageNumber = input.byte() % 5; // 0 and 4 name no shipped file
    const QByteArrayView rest = input.rest();
    const std::vector<char> resource(rest.begin(), rest.end()); // exact size for ASan

    const LanguageTable table =
        parseLanguage(QByteArrayView(resource.data(), qsizetype(resource.size())), languageNumber);

    const QStringList keys = table.keys();
    FUZZ_CHECK(keys.size() == table.size());
    QSet<QString> folded;
    for (const QString &key : keys) {
        FUZZ_CHECK(table.contains(key));
        FUZZ_CHECK(table.contains(key.toUpper()) ||
                   key.toUpper().toCaseFolded() != key.toCaseFolded());
        FUZZ_CHECK(LanguageText(table, key) == table.text(key));
        FUZZ_CHECK(!key.contains(u'='));
        folded.insert(key.toCaseFolded());
    }
    FUZZ_CHECK(folded.size() == keys.size());

    const LanguageTable again = parseLanguage(writeLanguage(table, languageNumber), languageNumber);
    FUZZ_CHECK(again.keys() == keys);
    for (const QString &key : keys)
        FUZZ_CHECK(again.text(key) == table.text(key));
    return 0;
}
