#include "ui/caption_marquee.h"

#include <QtTest>

class TestCaptionMarquee : public QObject
{
    Q_OBJECT
private slots:
    void scrollsWithAGapOnTheFirstTurn()
    {
        CaptionMarquee marquee;
        QVERIFY(marquee.tick().isEmpty()); // not running yet
        marquee.start(QStringLiteral("Left Key"));
        QCOMPARE(marquee.tick(), QStringLiteral("eft Key    L"));
        QCOMPARE(marquee.tick(), QStringLiteral("ft Key    Le"));
        // Twelve ticks in all bring the text round to its start.
        QString text;
        for (int n = 0; n < 10; ++n)
            text = marquee.tick();
        QCOMPARE(text, QStringLiteral("Left Key    "));
        QCOMPARE(marquee.stop(), QStringLiteral("Left Key"));
        QVERIFY(!marquee.running());
    }

    void emptyAndRestartedCaptions()
    {
        CaptionMarquee marquee;
        marquee.start(QString());
        QCOMPARE(marquee.tick(), QString());
        marquee.start(QStringLiteral("AB"));
        QCOMPARE(marquee.tick(), QStringLiteral("B    A"));
        // A new start forgets the old text and counts from the first tick again.
        marquee.start(QStringLiteral("XY"));
        QCOMPARE(marquee.ticks(), 0);
        QCOMPARE(marquee.tick(), QStringLiteral("Y    X"));
    }

    void counterWrapsWithoutAddingTheGapAgain()
    {
        CaptionMarquee marquee;
        marquee.start(QStringLiteral("ab"));
        for (int n = 0; n < 65535; ++n)
            marquee.tick();
        QCOMPARE(marquee.ticks(), 65535);
        const QString before = marquee.tick();
        QCOMPARE(marquee.ticks(), 2);
        QCOMPARE(before.size(), 6); // still "ab" and the four blanks, rotated
        QCOMPARE(marquee.tick().size(), 6);
    }
};

QTEST_APPLESS_MAIN(TestCaptionMarquee)
#include "test_caption_marquee.moc"
