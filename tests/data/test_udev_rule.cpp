#include "configuration/configuration.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

class TestUdevRule : public QObject
{
    Q_OBJECT

private slots:
    // The one rule line, split into `KEY OP "VALUE"` terms: it must give the
    // seat's user this mouse (the default image's ids) and nothing else.
    void ruleGivesTheSeatUserThisMouseOnly()
    {
        QFile file(QStringLiteral(GM_UDEV_RULE));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList rules;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty() && !line.trimmed().startsWith(QLatin1Char('#')))
                rules.append(line.trimmed());
        }
        QCOMPARE(rules.size(), 1);
        static const QRegularExpression term(
            QStringLiteral("^([A-Za-z]+(\\{\\w+\\})?)(==|\\+=|=|:=)\"([^\"]*)\"$"));
        QMap<QString, QString> terms;
        for (const QString &text : rules.first().split(QLatin1Char(','))) {
            const QRegularExpressionMatch match = term.match(text.trimmed());
            QVERIFY2(match.hasMatch(), qPrintable(text));
            terms.insert(match.captured(1), match.captured(3) + match.captured(4));
        }

        Configuration config;
        QVERIFY(config.startUp());
        const IdPair ids = config.state().CandidateIds[0];
        const auto hex4 = [](quint32 id) {
            return QString::number(id, 16).rightJustified(4, QLatin1Char('0'));
        };
        QMap<QString, QString> expected;
        expected.insert(QStringLiteral("SUBSYSTEM"), QStringLiteral("==hidraw"));
        expected.insert(QStringLiteral("ATTRS{idVendor}"), "==" + hex4(ids.vendorId));
        expected.insert(QStringLiteral("ATTRS{idProduct}"), "==" + hex4(ids.productId));
        expected.insert(QStringLiteral("TAG"), QStringLiteral("+=uaccess"));
        // Exactly these: no MODE="0666", GROUP or OWNER handing the node to others.
        QCOMPARE(terms, expected);
        QVERIFY(ids.vendorId != 0 && ids.productId != 0);
    }
};

QTEST_GUILESS_MAIN(TestUdevRule)
#include "test_udev_rule.moc"
