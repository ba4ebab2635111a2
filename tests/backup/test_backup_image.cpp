#include "app/image_buffers.h"
#include "backup/backup_image.h"

#include <QTest>

// What a backup holds of a family-B mouse's own areas, and the one-line
// summary of what changed between two backups.
class TestBackupImage : public QObject
{
    Q_OBJECT

    static QByteArray image(int layoutByte)
    {
        QByteArray bytes(kImageSize, char(0xFF));
        bytes[1] = char(layoutByte);
        return bytes;
    }
    static QByteArray changed(QByteArray bytes, std::initializer_list<int> offsets)
    {
        for (int offset : offsets)
            bytes[offset] = char(bytes.at(offset) ^ 0x01);
        return bytes;
    }

private slots:
    void ownAreasGoToTheirPlacesForTheLayout()
    {
        const QByteArray parameterB("\x01\x02\x00\x01\x5E", 5);
        const QByteArray breath("\x10\x20\x30\x0A", 4);
        const QByteArray with58 = withOwnAreas(image(58), parameterB, breath, 58);
        QCOMPARE(with58.size(), kImageSize);
        QCOMPARE(with58.mid(27, 5), parameterB);
        QCOMPARE(with58.mid(32, 4), breath);
        QCOMPARE(parameterBOf(with58), parameterB);
        QCOMPARE(userBreathOf(with58, 58), breath);
        const QByteArray with42 = withOwnAreas(image(29), parameterB, breath, 42);
        QCOMPARE(with42.mid(89, 4), breath);
        QCOMPARE(with42.mid(32, 4), QByteArray(4, char(0xFF)));
        QCOMPARE(userBreathOf(with42, 42), breath);
        // An unknown layout places only what never moves.
        QCOMPARE(withOwnAreas(image(7), parameterB, breath, 0).mid(32, 61),
                 QByteArray(61, char(0xFF)));
        QVERIFY(userBreathOf(with58, 0).isEmpty());
    }

    void changesInOneLine_data()
    {
        QTest::addColumn<int>("layoutByte");
        QTest::addColumn<QList<int>>("offsets");
        QTest::addColumn<QString>("line");
        QTest::newRow("nothing") << 58 << QList<int>{} << "no change";
        QTest::newRow("checksums only") << 58 << QList<int>{26, 31, 109, 254} << "no change";
        QTest::newRow("dpi, rate, buttons")
            << 58 << QList<int>{11, 28, 120} << "DPI levels, report rate, buttons";
        QTest::newRow("current dpi, profile, fire keys")
            << 58 << QList<int>{27, 29, 95} << "current DPI, profile, fire keys";
        QTest::newRow("light") << 58 << QList<int>{9, 30} << "light";
        QTest::newRow("colour 2, layout 58") << 58 << QList<int>{33} << "light";
        QTest::newRow("colour 2, layout 42") << 29 << QList<int>{90} << "light";
        QTest::newRow("reserved, layout 42") << 29 << QList<int>{33} << "other bytes";
        QTest::newRow("ids") << 58 << QList<int>{3, 87} << "mouse ids";
        QTest::newRow("names") << 58 << QList<int>{256 + 40} << "macro names";
        QTest::newRow("one macro") << 58 << QList<int>{1280 + 3 * 1024 + 7} << "macro 3";
        QList<int> many;
        for (int slot : {0, 2, 4, 6, 8, 10, 31})
            many.append(1280 + slot * 1024);
        QTest::newRow("many macros") << 58 << many << "macros 0, 2, 4, 6, 8 and 2 more";
    }
    void changesInOneLine()
    {
        QFETCH(int, layoutByte);
        QFETCH(QList<int>, offsets);
        QFETCH(QString, line);
        QByteArray older = image(layoutByte);
        QByteArray newer = older;
        for (int offset : offsets)
            newer = changed(newer, {offset});
        QCOMPARE(describeImageChanges(older, newer), line);
        QCOMPARE(describeImageChanges(newer, older), line);
    }

    void shortOrForeignImagesAreComparedSafely()
    {
        QCOMPARE(describeImageChanges(QByteArray(), image(58)), QStringLiteral("mouse ids"));
        QCOMPARE(describeImageChanges(QByteArray(10, '\0'), QByteArray(99999, '\0')),
                 QStringLiteral("DPI levels, current DPI, report rate, profile, light, fire keys, "
                                "buttons, other bytes, macro names, macros 0, 1, 2, 3, 4 and 27 "
                                "more"));
    }
};

QTEST_GUILESS_MAIN(TestBackupImage)
#include "test_backup_image.moc"
