#include <QtTest>

// Proves the test harness itself runs: Qt Test, CTest and the offscreen platform.
class BuildSanity : public QObject
{
    Q_OBJECT
private slots:
    void qtCoreIsVersion6() { QCOMPARE(QT_VERSION_MAJOR, 6); }
};

QTEST_GUILESS_MAIN(BuildSanity)
#include "test_build_sanity.moc"
