#include "app/image_buffers.h"
#include "backup/backup_image.h"

#include <QTest>

// A family-B mouse's own areas in a backup, and the one line that says what
// changed between two backups.
class TestBackupImage : public QObject
{
    Q_OBJECT

    static QByteArray image(int layoutByte)
    {
        QByteArray bytes(kImageSize, char(0xFF));
        bytes[1] = char(layoutByte);
        return bytes;
    }

private slots:
    void ownAreasGoToTheirPlacesForTheLayout()
    {
        const QByteArray parameterB("\x01\x02\x00\x01\x5E", 5);
        const QByteArray breath("\x10\x20\x30\x0A", 4);
        const QByteArray with58 = withOwnAreas(image(58), parameterB, breath, 58);
        QCOMPARE(with58.mid(27, 5), parameterB);
        QCOMPARE(userBreathOf(with58, 58), with58.mid(32, 4));
        QCOMPARE(userBreathOf(with58, 58), breath);
        const QByteArray with42 = withOwnAreas(image(29), parameterB, breath, 42);
        QCOMPARE(with42.mid(89, 4), breath);
        QCOMPARE(parameterBOf(with42), parameterB);
        QCOMPARE(withOwnAreas(image(7), parameterB, breath, 0).mid(32, 61), image(7).mid(32, 61));
    }

    void changesInOneLine_data()
    {
        QTest::addColumn<int>("layoutByte");
        QTest::addColumn<QList<int>>("offsets");
        QTest::addColumn<QString>("line");
        QTest::newRow("checksums only") << 58 << QList<int>{26, 31, 109, 254} << "no change";
        QTest::newRow("settings") << 58 << QList<int>{11, 27, 28, 29, 95, 120}
                                  << "DPI levels, current DPI, report rate, profile, fire keys, "
                                     "buttons";
        QTest::newRow("colour 2, layout 42") << 29 << QList<int>{90, 9} << "light";
        QTest::newRow("reserved, layout 42") << 29 << QList<int>{33} << "other bytes";
        QTest::newRow("ids and names") << 58 << QList<int>{3, 87, 300} << "mouse ids, macro names";
        QTest::newRow("one macro") << 58 << QList<int>{1280 + 3 * 1024} << "macro 3";
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
        const QByteArray older = image(layoutByte);
        QByteArray newer = older;
        for (int offset : offsets)
            newer[offset] = char(newer.at(offset) ^ 0x01);
        QCOMPARE(describeImageChanges(older, newer), line);
        QCOMPARE(describeImageChanges(newer, older), line);
        // Images of any size are compared as far as a profile reaches.
        QCOMPARE(describeImageChanges(older.left(10), older + "tail"), QStringLiteral("no change"));
    }
};

QTEST_GUILESS_MAIN(TestBackupImage)
#include "test_backup_image.moc"
