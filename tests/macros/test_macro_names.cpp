#include "macro_test_support.h"

#include "macros/macro_names.h"

#include <QtTest>

// Name-table entries: the bytes, the cuts, and Unicode kept intact.
class MacroNamesTest : public QObject
{
    Q_OBJECT
private slots:
    void defaultTableGivesDefaultNames();
    void decodesEntries_data();
    void decodesEntries();
    void roundTripsUnicode_data();
    void roundTripsUnicode();
    void writingKeepsLengthAndTail();
    void tableWritesStayInside();
};

void MacroNamesTest::defaultTableGivesDefaultNames()
{
    const ImageBuffers image = defaultMacroImage();
    const QStringList names = RefreshMacroName(image.MacroNameTable);
    QCOMPARE(names.size(), kMacroCount);
    for (int i = 0; i < kMacroCount; ++i)
        QCOMPARE(names[i], QStringLiteral("macro%1").arg(i));
    // Macro 10's entry: 00 00 00 0E and "macro10" in UTF-16 big-endian.
    QCOMPARE(image.MacroNameTable.mid(10 * 32, 18),
             bytesFromHex("0000000E 006D 0061 0063 0072 006F 0031 0030"));
}

void MacroNamesTest::decodesEntries_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QString>("name");

    QTest::newRow("odd length drops the first byte")
        << bytesFromHex("0000000D 41 0042 0043 0044 0045 0046 0047") << "BCDEFG";
    QTest::newRow("erased entry is cut to the field")
        << QByteArray(32, char(0xFF)) << QString(14, QChar(0xFFFF));
    QTest::newRow("length 29 is cut to 28")
        << bytesFromHex("0000001D") + QByteArray(28, '\0').replace(1, 1, "Z")
        << QString(QChar('Z')) + QString(13, QChar(0));
    QTest::newRow("entry shorter than its length byte")
        << bytesFromHex("0000000C 0041 0042") << "AB";
    QTest::newRow("no length byte") << bytesFromHex("000000") << "";
    QTest::newRow("zero length") << bytesFromHex("00000000 0041") << "";
}

void MacroNamesTest::decodesEntries()
{
    QFETCH(QByteArray, entry);
    QFETCH(QString, name);
    QCOMPARE(decodeMacroName(entry), name);
}

void MacroNamesTest::roundTripsUnicode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored");

    const QString emoji = QString::fromUtf8("\xF0\x9F\x8E\xAE"); // two code units
    QTest::newRow("Russian") << QString::fromUtf8("Макрос") << QString::fromUtf8("Макрос");
    QTest::newRow("Chinese") << QString::fromUtf8("宏一") << QString::fromUtf8("宏一");
    QTest::newRow("emoji ending at unit 14")
        << QString(12, 'x') + emoji << QString(12, 'x') + emoji;
    QTest::newRow("emoji across the edge is dropped whole")
        << QString(13, 'x') + emoji << QString(13, 'x');
    QTest::newRow("long name cut to 14")
        << QStringLiteral("abcdefghijklmnopq") << QStringLiteral("abcdefghijklmn");
}

void MacroNamesTest::roundTripsUnicode()
{
    QFETCH(QString, name);
    QFETCH(QString, stored);
    const QByteArray entry = encodeMacroName(QByteArray(32, '\0'), name);
    QCOMPARE(entry.size(), kMacroNameEntrySize);
    QCOMPARE(int(quint8(entry[3])), stored.size() * 2);
    QCOMPARE(decodeMacroName(entry), stored);
    QCOMPARE(fitMacroName(name), stored);
}

void MacroNamesTest::writingKeepsLengthAndTail()
{
    QByteArray old = bytesFromHex("0123FF0C") + QByteArray(28, char(0xAB));
    const QByteArray entry = encodeMacroName(old, QStringLiteral("ab"));
    QCOMPARE(entry.left(8), bytesFromHex("0123 0004 0061 0062"));
    QCOMPARE(entry.mid(8), QByteArray(24, char(0xAB)));
    QCOMPARE(macroStreamLength(entry), 0x0123);
}

void MacroNamesTest::tableWritesStayInside()
{
    ImageBuffers image = defaultMacroImage();
    QStringList names = RefreshMacroName(image.MacroNameTable);
    names[31] = QString(40, QChar(0x4E2D));
    names.append(QStringLiteral("a 33rd name is ignored"));
    UIToMacroName(image.MacroNameTable, names);
    QCOMPARE(image.MacroNameTable.size(), kMacroNameTableSize);
    QCOMPARE(RefreshMacroName(image.MacroNameTable)[31], QString(14, QChar(0x4E2D)));
    QCOMPARE(RefreshMacroName(image.MacroNameTable)[30], QStringLiteral("macro30"));

    QByteArray shortTable(40, '\0');
    UIToMacroName(shortTable, names);
    QCOMPARE(shortTable.size(), 40);
    QCOMPARE(RefreshMacroName(shortTable).size(), kMacroCount);
}

QTEST_GUILESS_MAIN(MacroNamesTest)
#include "test_macro_names.moc"
