#include "ui/language.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

namespace {

QByteArray utf16le(const QString &text, bool withMark = true)
{
    QByteArray bytes;
    if (withMark)
        bytes.append("\xff\xfe", 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xff));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

QByteArray resourceBytes(int language)
{
    QFile file(languageResourcePath(language));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%\\d"));
    QSet<QString> found;
    for (const auto &match : marker.globalMatch(text))
        found.insert(match.captured());
    return found;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
private slots:
    void splitsEntries_data();
    void splitsEntries();
    void readsSection_data();
    void readsSection();
    void skipsFirstTwoBytesAsMark();
    void toleratesShortAndOddInput();
    void survivesRandomBytes();
    void misnamedSectionGivesEmptyTexts();
    void shippedLanguagesLoad();
    void shippedTranslationsCoverEveryKey();
    void shippedResourcesMatchTheirSources();
    void quotedFileNamesReadBack();
    void findTextKey_data();
    void findTextKey();
    void menuCaptionsRetranslateInEveryLanguage();
    void lookupFollowsTheLanguage();
};

void TestLanguage::splitsEntries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("white space runs")
        << QStringLiteral("a=1\t b=2\r\n\r\nc=3 ") << QStringList{"a=1", "b=2", "c=3"};
    QTest::newRow("every control character separates")
        << QStringLiteral("a\x01z\x1f") + QChar(0) + QStringLiteral("b")
        << QStringList{"a", "z", "b"};
    QTest::newRow("quoted keeps blanks")
        << QStringLiteral("\"k=a b \" x") << QStringList{"k=a b ", "x"};
    QTest::newRow("doubled quote is one")
        << QStringLiteral("\"k=say \"\"hi\"\".\"") << QStringList{"k=say \"hi\"."};
    QTest::newRow("unmatched inner quote ends the entry")
        << QStringLiteral("\"Str222=Sleep \"mode\" next=1")
        << QStringList{"Str222=Sleep ", "mode\"", "next=1"};
    QTest::newRow("runs of doubled quotes")
        << QStringLiteral("\"a\"\"\"\"b\"") << QStringList{"a\"\"b"};
    QTest::newRow("unterminated quote runs to the end")
        << QStringLiteral("x \"k=a b") << QStringList{"x", "k=a b"};
    QTest::newRow("empty quoted entry") << QStringLiteral("\"\" y") << QStringList{"", "y"};
    QTest::newRow("quote inside unquoted entry is plain")
        << QStringLiteral("a\"b c") << QStringList{"a\"b", "c"};
    QTest::newRow("nothing") << QStringLiteral(" \r\n\t") << QStringList{};
}

void TestLanguage::splitsEntries()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QCOMPARE(splitLanguageEntries(text), entries);
}

void TestLanguage::readsSection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QString body = QStringLiteral("[lang1] \"A=one\" [lang2] \"A=two\" \"B=x=y\" "
                                        "\";C=hidden\" ;D=comment E \"F=\" \"G= lead\" "
                                        "\"A=second\" [other] \"H=elsewhere\" [lang2] \"I=again\"");
    QTest::newRow("own section only") << body << "A"
                                      << "two";
    QTest::newRow("split at first equals sign") << body << "B"
                                                << "x=y";
    QTest::newRow("semicolon entry ignored") << body << ";C"
                                             << "";
    QTest::newRow("unquoted semicolon entry ignored") << body << ";D"
                                                      << "";
    QTest::newRow("entry without equals ignored") << body << "E"
                                                  << "";
    QTest::newRow("empty value") << body << "F"
                                 << "";
    QTest::newRow("leading blank of value kept") << body << "G"
                                                 << " lead";
    QTest::newRow("other section not read") << body << "H"
                                            << "";
    QTest::newRow("section reopened") << body << "I"
                                      << "again";
    QTest::newRow("keys ignore letter case") << body << "b"
                                             << "x=y";
    QTest::newRow("absent key") << body << "Str999"
                                << "";
    QTest::newRow("entries before any section")
        << QStringLiteral("\"A=early\" [LANG2] \"A=late\"") << "A"
        << "late";
}

void TestLanguage::readsSection()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const LanguageTable table = parseLanguage(utf16le(text), 2);
    QCOMPARE(LanguageText(table, key), value);
    QCOMPARE(table.contains(key), !value.isEmpty() || key == "F");
}

void TestLanguage::skipsFirstTwoBytesAsMark()
{
    // Without a mark the first character is lost: here it is the bracket of
    // the section header, so the section never opens.
    const LanguageTable lost = parseLanguage(utf16le("[lang1] \"k=v\"", false), 1);
    QVERIFY(lost.isEmpty());
    const LanguageTable kept = parseLanguage(utf16le(" [lang1] \"k=v\"", false), 1);
    QCOMPARE(kept.text(u"k"), QStringLiteral("v"));
    // Any two bytes count as the mark, not only FF FE.
    QByteArray other = utf16le("[lang1] \"k=v\"");
    other[0] = 'x';
    other[1] = 'y';
    QCOMPARE(parseLanguage(other, 1).text(u"k"), QStringLiteral("v"));
}

void TestLanguage::toleratesShortAndOddInput()
{
    QVERIFY(parseLanguage(QByteArrayView(), 1).isEmpty());
    QVERIFY(parseLanguage(QByteArray("\xff", 1), 1).isEmpty());
    QVERIFY(parseLanguage(QByteArray("\xff\xfe", 2), 1).isEmpty());
    QByteArray odd = utf16le("[lang1] \"k=v\"");
    odd.append('\x41');
    QCOMPARE(parseLanguage(odd, 1).text(u"k"), QStringLiteral("v"));
    // An odd last byte cannot complete the final quote's character.
    QByteArray cut = utf16le("[lang1] \"k=vw");
    cut.chop(1);
    QCOMPARE(parseLanguage(cut, 1).text(u"k"), QStringLiteral("v"));
    QVERIFY(parseLanguage(QByteArray(kMaxLanguageBytes + 2, ' '), 1).isEmpty());
}

void TestLanguage::survivesRandomBytes()
{
    QRandomGenerator random(207);
    const QByteArray alphabet = utf16le(QStringLiteral("[]=;\" \r\nlang12Str0"), false);
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes(random.bounded(0, 300), Qt::Uninitialized);
        for (char &b : bytes)
            b = round % 2 ? char(random.bounded(256)) : alphabet[random.bounded(alphabet.size())];
        const LanguageTable table = parseLanguage(bytes, 1 + round % 3);
        QCOMPARE(table.size(), table.keys().size());
        for (const QString &key : table.keys())
            QVERIFY(table.contains(key));
    }
}

void TestLanguage::misnamedSectionGivesEmptyTexts()
{
    // The English file read as language 3 has no [lang3]: every text empty.
    const QByteArray english = resourceBytes(1);
    QVERIFY(!english.isEmpty());
    const LanguageTable misnamed = parseLanguage(english, 3);
    QVERIFY(misnamed.isEmpty());
    for (const QString &key : OpenLanguage(1).keys())
        QVERIFY(misnamed.text(key).isEmpty());
}

void TestLanguage::shippedLanguagesLoad()
{
    for (int n = 1; n <= 3; ++n) {
        const LanguageTable table = OpenLanguage(n);
        QVERIFY2(table.size() > 100, qPrintable(languageResourcePath(n)));
        QVERIFY(!table.text(u"Title").isEmpty());
        for (const QString &key : table.keys())
            QVERIFY2(!table.text(key).isEmpty(), qPrintable(key));
    }
    QVERIFY(OpenLanguage(0).isEmpty());
    QVERIFY(OpenLanguage(4).isEmpty());
}

void TestLanguage::shippedTranslationsCoverEveryKey()
{
    const LanguageTable english = OpenLanguage(1);
    for (int n = 2; n <= 3; ++n) {
        const LanguageTable other = OpenLanguage(n);
        for (const QString &key : english.keys()) {
            QVERIFY2(other.contains(key), qPrintable(QStringLiteral("LANG%1 %2").arg(n).arg(key)));
            // A translation fills the same placeholders as the English text.
            QCOMPARE(placeholders(other.text(key)), placeholders(english.text(key)));
        }
    }
    // Only the Chinese DPI table goes beyond the English keys.
    for (const QString &key : OpenLanguage(2).keys())
        QVERIFY2(english.contains(key), qPrintable(key));
    QSet<QString> extra;
    for (const QString &key : OpenLanguage(3).keys())
        if (!english.contains(key))
            extra.insert(key);
    QCOMPARE(extra, (QSet<QString>{"Str320", "Str321", "Str322", "Str327"}));
}

void TestLanguage::shippedResourcesMatchTheirSources()
{
    for (int n = 1; n <= 3; ++n) {
        const QString sourcePath =
            QFINDTESTDATA(QStringLiteral("../../tools/lang/lang%1.txt").arg(n));
        if (sourcePath.isEmpty())
            QSKIP("the UTF-8 language sources are not next to this build");
        QFile source(sourcePath);
        QVERIFY(source.open(QIODevice::ReadOnly | QIODevice::Text));
        QString text = QString::fromUtf8(source.readAll());
        text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        QVERIFY2(resourceBytes(n) == utf16le(text),
                 qPrintable(QStringLiteral("LANG%1 is stale: run tools/lang/make_lang.py").arg(n)));
    }
}

void TestLanguage::quotedFileNamesReadBack()
{
    const LanguageTable english = OpenLanguage(1);
    QCOMPARE(english.text(u"Str025").arg("a.bin"),
             QStringLiteral("Cannot open the file \"a.bin\"."));
}

void TestLanguage::findTextKey_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("key");
    QTest::newRow("key below 100 never matches") << "Apply"
                                                 << "";
    QTest::newRow("only the key-combination dialog's Confirm") << "Confirm"
                                                               << "Str501";
    QTest::newRow("English caption") << "Left Key"
                                     << "Str210";
    QTest::newRow("Russian caption") << "Левая кнопка"
                                     << "Str210";
    QTest::newRow("Chinese caption") << "左键"
                                     << "Str210";
    QTest::newRow("case matters") << "left key"
                                  << "";
    QTest::newRow("leading blank distinguishes") << " Back"
                                                 << "Str262";
    QTest::newRow("plain back") << "Back"
                                << "Str213";
    QTest::newRow("composed caption") << "Ctrl+A"
                                      << "";
    QTest::newRow("empty caption") << ""
                                   << "";
    QTest::newRow("last match wins") << "Stop"
                                     << "Str401";
}

void TestLanguage::findTextKey()
{
    QFETCH(QString, caption);
    QFETCH(QString, key);
    QCOMPARE(FindTextKey(caption), key);
}

void TestLanguage::menuCaptionsRetranslateInEveryLanguage()
{
    // A button label showing a menu text in one language must come out as the
    // same function's text in every other, even where two keys share a text.
    for (int from = 1; from <= 3; ++from) {
        const LanguageTable source = OpenLanguage(from);
        for (int i = 201; i <= 266; ++i) {
            const QString key = QStringLiteral("Str%1").arg(i);
            if (!source.contains(key))
                continue;
            const QString found = FindTextKey(source.text(key));
            QVERIFY2(!found.isEmpty(), qPrintable(key));
            for (int to = 1; to <= 3; ++to)
                QVERIFY2(
                    OpenLanguage(to).text(found) == OpenLanguage(to).text(key),
                    qPrintable(QStringLiteral("%1 via %2 into LANG%3").arg(key, found).arg(to)));
        }
    }
}

void TestLanguage::lookupFollowsTheLanguage()
{
    for (int n = 1; n <= 3; ++n) {
        const TextLookup lookup = languageLookup(n);
        QCOMPARE(lookup("Str210"), OpenLanguage(n).text(u"Str210"));
        QVERIFY(lookup("Str999").isEmpty());
    }
    QVERIFY(languageLookup(2)("Str210") != languageLookup(1)("Str210"));
    QVERIFY(languageLookup(9)("Str210").isEmpty());
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "test_language.moc"
