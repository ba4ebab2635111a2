#include "cli_test_support.h"

#include <QTemporaryDir>
#include <QTest>

// A transfer that lost reports is told in the tool's own words: the window's
// texts speak of its Apply button and of the settings it shows.
class TestToolMessages : public QObject
{
    Q_OBJECT

private slots:
    void lostReportsInTheToolsWords_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("message");
        // The search and identification take 14 reports, then the read-all.
        QTest::newRow("read -o, one report lost")
            << QStringList{"--sim-fail-report", "40"} << QStringList{"read", "-o", "out.bin"}
            << "reading the mouse failed (reports not answered: 1)";
        QTest::newRow("read -o, unplugged")
            << QStringList{"--sim-unplug-after", "66"} << QStringList{"read", "-o", "out.bin"}
            << "reading the mouse failed (reports not answered: ";
        // Past the read-all's 4940 reports: in the write.
        QTest::newRow("write, one report lost")
            << QStringList{"--sim-fail-report", "5200"} << QStringList{"reset"}
            << "writing to the mouse failed (reports not accepted: 1); the mouse may hold an "
               "incomplete configuration: check the cable and write again";
        // The editing commands choose a caption language before the read;
        // the tool's wording must survive that choice.
        QTest::newRow("set, one report lost")
            << QStringList{"--sim-fail-report", "5200"} << QStringList{"set", "dpi", "800,1600"}
            << "writing to the mouse failed (reports not accepted: 1)";
        QTest::newRow("button, one report lost")
            << QStringList{"--sim-fail-report", "5200"}
            << QStringList{"button", "main", "5", "back"}
            << "writing to the mouse failed (reports not accepted: 1)";
    }
    void lostReportsInTheToolsWords()
    {
        QFETCH(QStringList, fault);
        QFETCH(QStringList, command);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const CliRun result = runCli(onSimulatedMouse(fault + command), dir.path());
        QCOMPARE(result.exitCode, 1);
        const QString error = QString::fromLocal8Bit(result.err);
        QVERIFY2(error.contains(message), qPrintable(error));
        for (const char *window : {"Apply", "settings shown", " 1 reports", "press the button"})
            QVERIFY2(!error.contains(QLatin1String(window)), qPrintable(error));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("out.bin"))));
    }
};

QTEST_GUILESS_MAIN(TestToolMessages)
#include "test_tool_messages.moc"
