#include "dpi_languages.h"

#include <QHash>
#include <QStringList>

namespace {

QHash<QString, QString> table(const QStringList &captions, const QStringList &texts)
{
    QHash<QString, QString> keys;
    for (int i = 0; i < captions.size(); ++i)
        keys.insert(QStringLiteral("Str%1").arg(300 + i), captions.at(i));
    // An empty entry stands for a key the language leaves out.
    for (int i = 0; i < texts.size(); ++i) {
        if (!texts.at(i).isEmpty())
            keys.insert(QStringLiteral("Str%1").arg(320 + i), texts.at(i));
    }
    return keys;
}

} // namespace

TextLookup dpiLanguage(int language)
{
    const QStringList englishCaptions = {"800",  "1000", "1200", "1600",
                                         "2400", "3200", "4800", "6400"};
    const QStringList englishTable = {"",     "", "",     "800",  "1000", "1200",
                                      "1600", "", "2400", "3200", "4800", "6400"};
    const QStringList thirdCaptions = {"600",  "800",  "1000", "1200",
                                       "1600", "2400", "3200", "4800"};
    const QStringList thirdTable = {"200",  "400",  "600",  "800",  "1000", "1200",
                                    "1600", "2000", "2400", "3200", "4800", "6000"};
    const QHash<QString, QString> keys =
        language == 3 ? table(thirdCaptions, thirdTable) : table(englishCaptions, englishTable);
    return [keys](const QString &key) { return keys.value(key); };
}
