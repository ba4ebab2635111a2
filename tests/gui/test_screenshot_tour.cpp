#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The screenshot tour of the real program runs with nobody to click: when
// the simulated mouse fails during it, the program says so and ends instead
// of waiting for ever behind a message box.
class TestScreenshotTour : public QObject
{
    Q_OBJECT
private slots:
    void failingMouseEndsTheTour_data()
    {
        QTest::addColumn<QStringList>("fault");
        // The search takes 14 reports; then the read-all.
        QTest::newRow("unplugged in the read") << QStringList{"--sim-unplug-after", "40"};
        QTest::newRow("lost report") << QStringList{"--sim-fail-report", "30"};
        QTest::newRow("garbled replies") << QStringList{"--sim-garble-from", "16"};
    }
    void failingMouseEndsTheTour()
    {
        QFETCH(QStringList, fault);
        QTemporaryDir dir;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           dir.filePath(QStringLiteral("config")));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(GM_GUI_PATH),
                      QStringList{"--simulate", "b58"} + fault +
                          QStringList{"--screenshot-dir", dir.filePath(QStringLiteral("shots"))});
        const bool finished = program.waitForFinished(60000);
        if (!finished)
            program.kill();
        QVERIFY2(finished, "the tour did not end");
        QCOMPARE(program.exitCode(), 1);
        // Qt's offscreen platform may add warnings of its own before it.
        const QByteArray said = program.readAllStandardError().trimmed().split('\n').constLast();
        QVERIFY2(said.startsWith("the screenshots stopped: Reading the mouse failed"), said);
        QVERIFY(QDir(dir.filePath(QStringLiteral("shots")))
                    .entryList(QDir::Files | QDir::NoDotAndDotDot)
                    .isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestScreenshotTour)
#include "test_screenshot_tour.moc"
