#include "image/configuration.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {
// key -> (operator, value) of one udev rule line; keys such as ATTRS{idVendor}
// keep their braces. Empty when the line does not parse as a rule.
QMultiHash<QString, QPair<QString, QString>> parseRule(const QString &line)
{
    static const QRegularExpression pair(QStringLiteral(
        "\\s*([A-Za-z_]+(?:\\{[^}]*\\})?)\\s*(==|!=|\\+=|-=|:=|=)\\s*\"([^\"]*)\"\\s*(,|$)"));
    QMultiHash<QString, QPair<QString, QString>> rule;
    qsizetype at = 0;
    while (at < line.size()) {
        const QRegularExpressionMatch match =
            pair.match(line, at, QRegularExpression::NormalMatch,
                       QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch())
            return {};
        rule.insert(match.captured(1), {match.captured(2), match.captured(3)});
        at = match.capturedEnd();
    }
    return rule;
}
} // namespace

class TestUdevRule : public QObject
{
    Q_OBJECT

private slots:
    void ruleGivesTheSeatUserThisMouseOnly()
    {
        QFile file(QStringLiteral(GM_UDEV_RULE));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QList<QMultiHash<QString, QPair<QString, QString>>> rules;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const auto rule = parseRule(line);
            QVERIFY2(!rule.isEmpty(), qPrintable(line));
            rules.append(rule);
        }
        QCOMPARE(rules.size(), 1);
        const auto &rule = rules.first();

        Configuration config;
        QVERIFY(config.startUp());
        const IdPair ids = config.state().CandidateIds[0];
        QVERIFY(ids.vendorId != 0 && ids.productId != 0);
        const auto hex4 = [](quint32 id) {
            return QString::number(id, 16).rightJustified(4, QLatin1Char('0'));
        };
        using Match = QPair<QString, QString>;
        QCOMPARE(rule.values(QStringLiteral("SUBSYSTEM")), QList<Match>({{"==", "hidraw"}}));
        QCOMPARE(rule.values(QStringLiteral("ATTRS{idVendor}")),
                 QList<Match>({{"==", hex4(ids.vendorId)}}));
        QCOMPARE(rule.values(QStringLiteral("ATTRS{idProduct}")),
                 QList<Match>({{"==", hex4(ids.productId)}}));
        QCOMPARE(rule.values(QStringLiteral("TAG")), QList<Match>({{"+=", "uaccess"}}));
        // Access comes from the seat, never from a permission for everyone.
        QVERIFY(!rule.contains(QStringLiteral("MODE")));
        QVERIFY(!rule.contains(QStringLiteral("GROUP")));
        QVERIFY(!rule.contains(QStringLiteral("OWNER")));
    }

    void parserRejectsWhatUdevWouldNotTake()
    {
        QVERIFY(parseRule(QStringLiteral("SUBSYSTEM==\"hidraw\", MODE=\"0666\""))
                    .contains(QStringLiteral("MODE")));
        QVERIFY(parseRule(QStringLiteral("SUBSYSTEM==\"hidraw\" TAG+=\"uaccess\"")).isEmpty());
        QVERIFY(parseRule(QStringLiteral("SUBSYSTEM==hidraw")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestUdevRule)
#include "test_udev_rule.moc"
