#include "device/report_descriptor.h"

#include <QRandomGenerator>
#include <QTest>

namespace {
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

std::optional<int> lengthOf(const QByteArray &descriptor)
{
    return featureReportByteLength(
        {reinterpret_cast<const quint8 *>(descriptor.constData()), size_t(descriptor.size())});
}

// HID 1.11 appendix B.2 (boot mouse) and B.1 (boot keyboard).
const QByteArray kBootMouse =
    hex("05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 81 02 95 01"
        "75 05 81 01 05 01 09 30 09 31 15 81 25 7F 75 08 95 02 81 06 C0 C0");
const QByteArray kBootKeyboard =
    hex("05 01 09 06 A1 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01 75 08 81 01"
        "95 05 75 01 05 08 19 01 29 05 91 02 95 01 75 03 91 01 95 06 75 08 15 00 25 65 05 07"
        "19 00 29 65 81 00 C0");
// Vendor page, two numbered 7-byte feature reports: what the mouse's
// configuration interfaces look like.
const QByteArray kVendorTwoReports =
    hex("06 00 FF 09 01 A1 01 85 40 09 01 15 00 26 FF 00 75 08 95 07 B1 02"
        "85 41 09 02 75 08 95 07 B1 02 C0");
} // namespace

class TestReportDescriptor : public QObject
{
    Q_OBJECT

private slots:
    void featureLength_data()
    {
        QTest::addColumn<QByteArray>("descriptor");
        QTest::addColumn<int>("length");
        QTest::newRow("boot mouse") << kBootMouse << 0;
        QTest::newRow("boot keyboard") << kBootKeyboard << 0;
        QTest::newRow("vendor, ids 0x40 and 0x41") << kVendorTwoReports << 8;
        QTest::newRow("vendor, one 64-byte report")
            << hex("06 00 FF 09 01 A1 01 85 05 75 08 95 3F B1 02 C0") << 64;
        QTest::newRow("no report ids") << hex("06 00 FF 09 01 A1 01 75 08 95 07 B1 02 C0") << 7;
        QTest::newRow("bits round up") << hex("85 01 75 01 95 09 B1 02") << 3;
        QTest::newRow("longest of several")
            << hex("85 01 75 08 95 02 B1 02 85 02 95 07 B1 02 85 03 95 03 B1 02") << 8;
        QTest::newRow("one id, fields add up")
            << hex("85 07 75 08 95 03 B1 02 75 04 95 02 B1 02 81 02") << 5;
        QTest::newRow("input only with ids") << hex("85 01 75 08 95 10 81 02") << 0;
        QTest::newRow("push and pop") << hex("75 08 95 02 A4 95 20 B4 85 01 B1 02") << 3;
        QTest::newRow("4-byte data") << hex("77 08 00 00 00 97 06 00 00 00 B1 02") << 6;
        QTest::newRow("long item skipped") << hex("FE 03 10 AA BB CC 75 08 95 01 B1 02") << 1;
        QTest::newRow("empty") << QByteArray() << 0;
    }
    void featureLength()
    {
        QFETCH(QByteArray, descriptor);
        QFETCH(int, length);
        QCOMPARE(lengthOf(descriptor), std::optional<int>(length));
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("descriptor");
        QTest::newRow("item cut short") << hex("75 08 96 07");
        QTest::newRow("4-byte item cut short") << hex("97 07 00 00");
        QTest::newRow("long item cut short") << hex("FE 05 10 AA");
        QTest::newRow("long item header cut short") << hex("FE 05");
        QTest::newRow("pop without push") << hex("B4");
        QTest::newRow("report id 0") << hex("85 00 75 08 95 01 B1 02");
        QTest::newRow("push too deep") << QByteArray(17, char(0xA4));
        QTest::newRow("absurd size") << hex("77 FF FF FF FF 97 FF FF FF FF B1 02 B1 02");
    }
    void malformed()
    {
        QFETCH(QByteArray, descriptor);
        QCOMPARE(lengthOf(descriptor), std::nullopt);
    }

    void everyPrefixOfARealDescriptorIsSafe()
    {
        for (qsizetype n = 0; n <= kVendorTwoReports.size(); ++n) {
            const std::optional<int> length = lengthOf(kVendorTwoReports.left(n));
            if (length)
                QVERIFY(*length == 0 || *length == 8);
        }
    }

    void garbageNeverMisbehaves()
    {
        // Under the sanitizer build this doubles as a small fuzz run.
        QRandomGenerator random(20240611);
        for (int round = 0; round < 5000; ++round) {
            QByteArray garbage(int(random.bounded(0, 300)), '\0');
            for (char &byte : garbage)
                byte = char(random.bounded(256));
            const std::optional<int> length = lengthOf(garbage);
            if (length)
                QVERIFY(*length >= 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestReportDescriptor)
#include "test_report_descriptor.moc"
