#include "image_test_support.h"

#include <QHash>

TextLookup englishDpiTexts()
{
    static const QHash<QString, QString> texts = [] {
        const QStringList levels = {"800", "1000", "1200", "1600", "2400", "3200", "4800", "6400"};
        QHash<QString, QString> t;
        for (int i = 0; i < 8; ++i)
            t.insert(QStringLiteral("Str%1").arg(300 + i), levels[i]);
        // Entries 0-2 and 7 of the table are absent in English.
        const int table[] = {323, 324, 325, 326, 328, 329, 330, 331};
        for (int i = 0; i < 8; ++i)
            t.insert(QStringLiteral("Str%1").arg(table[i]), levels[i]);
        return t;
    }();
    return [](const QString &key) { return texts.value(key); };
}

void startWithEnglish(Configuration &config)
{
    config.startUp();
    config.setTextLookup(englishDpiTexts());
    config.DataBufToUI();
}

void connectMouse(Configuration &config, int layoutCode, bool familyB)
{
    AppState &s = config.state();
    s.CommandHandle = 1;
    s.DataHandle = 2;
    s.DeviceLayoutCode = layoutCode;
    s.ChipFamilyA = !familyB;
    s.ChipFamilyB = familyB;
}

QByteArray hex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toUpper();
}
