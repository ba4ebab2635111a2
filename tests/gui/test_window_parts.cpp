#include "app/busy_window.h"
#include "app/window_clock.h"
#include "app/window_shape.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

class TestWindowParts : public QObject
{
    Q_OBJECT
private slots:
    void shapeLeavesTheKeyColourOut();
    void busyWindowCountsTheTransfersReports();
    void windowClockWaitsWhileTimersRun();
};

void TestWindowParts::shapeLeavesTheKeyColourOut()
{
    QImage picture(4, 2, QImage::Format_ARGB32);
    picture.fill(qRgb(20, 20, 20));
    picture.setPixel(0, 0, qRgb(128, 0, 0));
    picture.setPixel(1, 0, qRgba(0, 0, 0, 0));
    picture.setPixel(2, 0, qRgb(128, 0, 1)); // near the key is still window
    const QRegion shape(windowShape(picture, qRgb(128, 0, 0)));
    QVERIFY(!shape.contains(QPoint(0, 0)));
    QVERIFY(!shape.contains(QPoint(1, 0)));
    QVERIFY(shape.contains(QPoint(2, 0)));
    QVERIFY(shape.contains(QPoint(3, 1)));
}

void TestWindowParts::busyWindowCountsTheTransfersReports()
{
    BusyWindow busy;
    QCOMPARE(busy.size(), QSize(206, 196));
    QVERIFY(busy.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(busy.currentFrame().startsWith(QLatin1String("WaitGif_")));
    QVERIFY(busy.progressText().isEmpty());
    busy.startTransfer(37);
    for (int i = 0; i < 40; ++i)
        busy.advance();
    QCOMPARE(busy.progressText(), QStringLiteral("37 / 37")); // never past the end
    busy.startTransfer(4923);
    busy.advance();
    QCOMPARE(busy.progressText(), QStringLiteral("1 / 4923"));
    // The animation runs by itself.
    const QString first = busy.currentFrame();
    QTRY_VERIFY(busy.currentFrame() != first);
}

void TestWindowParts::windowClockWaitsWhileTimersRun()
{
    WindowClock clock;
    int ticks = 0;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start();
    QElapsedTimer waited;
    waited.start();
    const qint64 before = clock.nowMs();
    clock.waitMs(60);
    QVERIFY(waited.elapsed() >= 60);
    QVERIFY(clock.nowMs() - before >= 60);
    QVERIFY(ticks >= 2); // the window keeps painting and ticking meanwhile
}

QTEST_MAIN(TestWindowParts)
#include "test_window_parts.moc"
