#include "ui/layout.h"
#include "ui/layout_geometry.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRect>
#include <QtTest>

namespace {

IniSection sectionOf(const QByteArray &text, const QString &name = QStringLiteral("s"))
{
    return parseIniText(text).section(name);
}

// Every key a page layout reads when all its elements are enabled.
QStringList allPageLayoutKeys()
{
    QStringList keys;
    for (const LayoutItem &item : pageLayoutItems()) {
        switch (item.kind) {
        case LayoutItemKind::Integer:
            keys << item.name;
            break;
        case LayoutItemKind::Colour:
            keys << item.name + "_R" << item.name + "_G" << item.name + "_B";
            break;
        case LayoutItemKind::Toggle:
            keys << item.name + "_Enable";
            Q_FALLTHROUGH();
        case LayoutItemKind::Position:
            keys << item.name + "_X" << item.name + "_Y";
            break;
        }
    }
    return keys;
}

QByteArray fullLayout(const QByteArray &extra = {})
{
    QByteArray text = "[s]\r\n" + extra;
    for (const QString &key : allPageLayoutKeys())
        text += key.toLatin1() + (key.endsWith("_Enable") ? "=1\r\n" : "=7\r\n");
    return text;
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT
private slots:
    void readsIniLines_data();
    void readsIniLines();
    void parsesIntegers_data();
    void parsesIntegers();
    void stopsAtFirstBadValue_data();
    void stopsAtFirstBadValue();
    void enableFlags_data();
    void enableFlags();
    void clampsColours();
    void survivesRandomText();
    void shippedLayoutsReadCompletely();
    void shippedLayoutsHoldOnlyKnownKeys();
    void shippedLayoutsKeepShownElementsInTheWindow();
    void everyLanguageShowsEveryPageAndLanguage();
    void webLink();
    void geometry();
};

void TestLayout::readsIniLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // "<absent>" for no entry

    QTest::newRow("trimmed line and parts") << QByteArray("[s]\r\n \t Key = 5 \t\r\n") << "Key"
                                            << "5";
    QTest::newRow("first equals sign") << QByteArray("[s]\r\nA=b=c\r\n") << "A"
                                       << "b=c";
    QTest::newRow("comment") << QByteArray("[s]\r\n;A=1\r\n") << "A"
                             << "<absent>";
    QTest::newRow("indented comment") << QByteArray("[s]\r\n   ;A=1\r\n") << "A"
                                      << "<absent>";
    QTest::newRow("banner without equals") << QByteArray("[s]\r\n// banner\r\nA=1\r\n") << "A"
                                           << "1";
    QTest::newRow("other section") << QByteArray("[t]\r\nA=1\r\n[s]\r\nB=2\r\n") << "A"
                                   << "<absent>";
    QTest::newRow("entries before any section") << QByteArray("A=1\r\n[s]\r\n") << "A"
                                                << "<absent>";
    QTest::newRow("indented header") << QByteArray("  [s]  \r\nA=1\r\n") << "A"
                                     << "1";
    QTest::newRow("section name ignores case") << QByteArray("[S]\r\nA=1\r\n") << "A"
                                               << "1";
    QTest::newRow("key ignores case") << QByteArray("[s]\r\nsize_a=9\r\n") << "Size_A"
                                      << "9";
    QTest::newRow("first of a repeated key") << QByteArray("[s]\nA=1\n[s]\nA=2\n") << "A"
                                             << "1";
    QTest::newRow("reopened section adds") << QByteArray("[s]\nA=1\n[t]\n[s]\nB=2\n") << "B"
                                           << "2";
    QTest::newRow("LF line ends") << QByteArray("[s]\nA=1\nB=2") << "B"
                                  << "2";
    QTest::newRow("CR line ends") << QByteArray("[s]\rA=1\rB=2\r") << "B"
                                  << "2";
    QTest::newRow("empty value") << QByteArray("[s]\r\nA=\r\n") << "A"
                                 << "";
    QTest::newRow("unclosed header is a plain line") << QByteArray("[s]\r\n[t\r\nA=1\r\n") << "A"
                                                     << "1";
    QTest::newRow("NUL stays in the value")
        << QByteArray("[s]\r\nA=1\0002\r\n", 12) << "A" << QStringLiteral("1") + QChar(0) + "2";
}

void TestLayout::readsIniLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const std::optional<QString> read = sectionOf(text).value(key);
    QCOMPARE(read.value_or(QStringLiteral("<absent>")), value);
}

void TestLayout::parsesIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "524" << true << 524;
    QTest::newRow("negative") << "-12" << true << -12;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("far too large") << "99999999999999999999999" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("inner blank") << "1 2" << false << 0;
    QTest::newRow("trailing letters") << "12px" << false << 0;
    QTest::newRow("hexadecimal") << "0x10" << false << 0;
    QTest::newRow("non-ASCII digit") << QStringLiteral("\u0663") << false << 0;
}

void TestLayout::parsesIntegers()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const std::optional<int> parsed = parseLayoutInteger(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, value);
}

void TestLayout::stopsAtFirstBadValue_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("itemsRead");
    QTest::addColumn<QString>("message");

    QTest::newRow("whole layout") << fullLayout() << int(pageLayoutItems().size()) << "";
    QTest::newRow("empty section")
        << QByteArray("[s]\r\n") << 0 << "'' is not a valid integer value";
    QTest::newRow("bad colour component stops before the colour")
        << QByteArray("[s]\r\nSize_A=11\r\nColor_A_R=255\r\nColor_A_G=white\r\nColor_A_B=1\r\n")
        << 1 << "'white' is not a valid integer value";
    QTest::newRow("missing key stops there")
        << QByteArray("[s]\r\nSize_A=11\r\nColor_A_R=1\r\nColor_A_G=2\r\nColor_A_B=3\r\n"
                      "Btn_A1_Enable=1\r\nBtn_A1_X=10\r\n")
        << 2 << "'' is not a valid integer value";
    // A broken key late in the file: everything before it is kept.
    QByteArray late = fullLayout();
    late.replace("MacroNameHeight=7", "MacroNameHeight=18 rows");
    QTest::newRow("late failure")
        << late
        << int(std::find_if(pageLayoutItems().begin(), pageLayoutItems().end(),
                            [](const LayoutItem &item) { return item.name == "MacroNameHeight"; }) -
               pageLayoutItems().begin())
        << "'18 rows' is not a valid integer value";
}

void TestLayout::stopsAtFirstBadValue()
{
    QFETCH(QByteArray, text);
    QFETCH(int, itemsRead);
    QFETCH(QString, message);
    const PageLayout layout = readPageLayout(sectionOf(text));
    QCOMPARE(layout.values.size(), itemsRead);
    QCOMPARE(layout.failure, message);
    QCOMPARE(layout.complete(), message.isEmpty());
    for (int i = 0; i < layout.values.size(); ++i)
        QCOMPARE(layout.values[i].item.name, pageLayoutItems()[i].name);
}

void TestLayout::enableFlags_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QPoint>("position");

    QTest::newRow("one") << QByteArray("E_Enable=1\nE_X=5\nE_Y=6\n") << true << true
                         << QPoint(5, 6);
    QTest::newRow("one with trailing blank")
        << QByteArray("E_Enable=1 \nE_X=5\nE_Y=6\n") << true << true << QPoint(5, 6);
    QTest::newRow("zero hides, position not read")
        << QByteArray("E_Enable=0\n") << true << false << QPoint();
    QTest::newRow("any other integer hides")
        << QByteArray("E_Enable=2\nE_X=x\n") << true << false << QPoint();
    QTest::newRow("shown needs its position")
        << QByteArray("E_Enable=1\nE_X=5\n") << false << false << QPoint();
    QTest::newRow("flag must be an integer")
        << QByteArray("E_Enable=yes\n") << false << false << QPoint();
}

void TestLayout::enableFlags()
{
    QFETCH(QByteArray, lines);
    QFETCH(bool, readable);
    QFETCH(bool, shown);
    QFETCH(QPoint, position);
    LayoutReader reader(sectionOf("[s]\n" + lines));
    const std::optional<LayoutToggle> toggle = reader.toggle(QStringLiteral("E"));
    QCOMPARE(toggle.has_value(), readable);
    QCOMPARE(reader.failed(), !readable);
    if (!readable)
        return;
    QCOMPARE(toggle->shown, shown);
    QCOMPARE(toggle->position.has_value(), shown);
    if (shown)
        QCOMPARE(*toggle->position, position);
}

void TestLayout::clampsColours()
{
    LayoutReader reader(sectionOf("[s]\nC_R=300\nC_G=-4\nC_B=128\n"));
    QCOMPARE(reader.colour(QStringLiteral("C")), (LayoutColour{255, 0, 128}));
    // After a failure every read gives nothing, even of a valid key.
    QVERIFY(!reader.integer(QStringLiteral("Missing")));
    QCOMPARE(reader.failedKey(), QStringLiteral("Missing"));
    QVERIFY(!reader.integer(QStringLiteral("C_B")));
    QCOMPARE(reader.failedKey(), QStringLiteral("Missing"));
}

void TestLayout::survivesRandomText()
{
    QRandomGenerator random(58);
    const QByteArray alphabet("[]=;\r\n -1290org_XYEnable\0", 26);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = round % 3 == 0 ? fullLayout() : QByteArray();
        const int extra = random.bounded(400);
        for (int i = 0; i < extra; ++i) {
            const char c =
                round % 2 ? char(random.bounded(256)) : alphabet[random.bounded(alphabet.size())];
            if (bytes.isEmpty() || random.bounded(4) == 0)
                bytes.append(c);
            else
                bytes[random.bounded(bytes.size())] = c;
        }
        const PageLayout layout = readPageLayout(sectionOf(bytes));
        QVERIFY(layout.values.size() <= pageLayoutItems().size());
        QCOMPARE(layout.complete(), layout.values.size() == pageLayoutItems().size());
    }
}

void TestLayout::shippedLayoutsReadCompletely()
{
    for (int n = 1; n <= 3; ++n) {
        const PageLayout layout = openPageLayout(n);
        QVERIFY2(layout.complete(),
                 qPrintable(QStringLiteral("ORG%1: %2").arg(n).arg(layout.failure)));
        QCOMPARE(layout.values.size(), pageLayoutItems().size());
        const LayoutStoredValues stored = storedLayoutValues(layout);
        QVERIFY(stored.selected && stored.notSelected && stored.macroText);
        QVERIFY(stored.macroNameHeight.value_or(0) > 0);
        QVERIFY(*stored.selected != *stored.notSelected);
    }
    QVERIFY(!openPageLayout(0).complete());
    QVERIFY(openLayoutSection(4).isEmpty());
}

void TestLayout::shippedLayoutsHoldOnlyKnownKeys()
{
    // Every shipped key is one the program reads, save the unread light-page
    // backdrop, so a misspelt key cannot hide behind a correct one.
    QStringList known = allPageLayoutKeys();
    known << "Color_E_Back_R"
          << "Color_E_Back_G"
          << "Color_E_Back_B";
    for (int n = 1; n <= 3; ++n) {
        const IniSection section = openLayoutSection(n);
        const QStringList keys = section.keys();
        QCOMPARE(keys.size(), known.size());
        for (const QString &key : keys)
            QVERIFY2(known.contains(key), qPrintable(QStringLiteral("ORG%1 %2").arg(n).arg(key)));
    }
}

void TestLayout::shippedLayoutsKeepShownElementsInTheWindow()
{
    // Every element a shipped layout shows lies inside the window, the
    // breathing-light button too.
    const QRect window(0, 0, 800, 600);
    for (int n = 1; n <= 3; ++n) {
        for (const LayoutValue &value : openPageLayout(n).values) {
            const bool placed = value.item.kind == LayoutItemKind::Position ||
                                (value.item.kind == LayoutItemKind::Toggle && value.toggle.shown);
            if (!placed)
                continue;
            const QPoint at = value.item.kind == LayoutItemKind::Position ? value.position
                                                                          : *value.toggle.position;
            QVERIFY2(window.contains(at),
                     qPrintable(QStringLiteral("ORG%1 %2").arg(n).arg(value.item.name)));
        }
    }
}

void TestLayout::everyLanguageShowsEveryPageAndLanguage()
{
    // All six page buttons, both file buttons and all three language buttons
    // in every language, none of them over another.
    const QSize button(125, 33);
    for (int n = 1; n <= 3; ++n) {
        const PageLayout layout = openPageLayout(n);
        QList<QRect> taken;
        for (int b = 1; b <= 11; ++b) {
            const QString name = QStringLiteral("Btn_B%1").arg(b);
            const std::optional<LayoutToggle> toggle = layout.toggle(name);
            QVERIFY2(toggle && toggle->shown && toggle->position,
                     qPrintable(QStringLiteral("ORG%1 %2").arg(n).arg(name)));
            const QRect rect(*toggle->position, button);
            QVERIFY2(QRect(0, 0, 800, 600).contains(rect), qPrintable(name));
            for (const QRect &other : taken)
                QVERIFY2(!other.intersects(rect.adjusted(1, 1, -1, -1)), qPrintable(name));
            taken << rect;
        }
    }
}

void TestLayout::webLink()
{
    const WebLinkLayout shipped = openWebLink();
    QVERIFY(shipped.failure.isEmpty());
    QVERIFY(shipped.address.startsWith("https://"));
    QVERIFY(shipped.position && QRect(0, 0, 800, 600).contains(*shipped.position));

    const WebLinkLayout broken = readWebLink(sectionOf("[s]\nWeb=x\nWeb_X=1\nWeb_Y=top\n"));
    QCOMPARE(broken.address, QStringLiteral("x"));
    QVERIFY(!broken.position);
    QCOMPARE(broken.failure, QStringLiteral("'top' is not a valid integer value"));
}

void TestLayout::geometry()
{
    using namespace layout_geometry;
    const QPoint scale(100, 50);
    QCOMPARE(scaleStepPicture(scale, 10), QPoint(316, 50));
    QCOMPARE(scaleStepLabel(scale, 10), QPoint(312, 58));
    QCOMPARE(dpiStepPicture(scale, 8), QPoint(303, 50));
    QCOMPARE(dpiStepLabel(scale, 8), QPoint(297, 22));
    QCOMPARE(delayOptionText(scale, 2), QPoint(98, 96));
}

QTEST_GUILESS_MAIN(TestLayout)
#include "test_layout.moc"
