#include "app/section_records.h"
#include "image/bit_helpers.h"
#include "image/section_checks.h"
#include "image_test_support.h"

#include <QTest>

namespace {

using Validator = void (*)(SectionRecords &, int);

QByteArray &recordOf(SectionRecords &s, const QByteArray &name)
{
    if (name == "ParameterA")
        return s.ParameterA;
    if (name == "FireKey")
        return s.FireKey;
    return s.Profile;
}

Validator validatorOf(const QByteArray &name)
{
    if (name == "ParameterA")
        return &CheckParameterASection;
    if (name == "FireKey")
        return &CheckFireKeySection;
    return &CheckProfileSection;
}

// Distinct, recognisable data bytes with a deliberately wrong checksum.
QByteArray brokenRecord(int length)
{
    QByteArray r(length, '\0');
    for (int i = 0; i < length - 1; ++i)
        r[i] = char(0x11 + i);
    r[length - 1] = char(sectionChecksumOf(r, length - 1) + 1);
    return r;
}

} // namespace

class TestSectionChecks : public QObject
{
    Q_OBJECT

private slots:
    void checksumRule_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("expected");
        QTest::newRow("all zero") << QByteArray(26, '\0') << 0x5A;
        QTest::newRow("sum wraps") << QByteArray::fromHex("FF02") << ((0x101 & 0xFF) ^ 0x5A);
        QTest::newRow("ParameterB default") << QByteArray::fromHex("02020003") << 0x5D;
        QTest::newRow("empty") << QByteArray() << 0x5A;
    }
    void checksumRule()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, expected);
        QByteArray section = data;
        SectionChecksum(section, int(data.size()));
        QCOMPARE(section.size(), data.size() + 1);
        QCOMPARE(quint8(section.back()), quint8(expected));
        QVERIFY(sectionChecksumValid(section, int(data.size())));
        // A checksum byte that is missing is never valid, and never read.
        QVERIFY(!sectionChecksumValid(data, int(data.size())));
    }

    void repairDefaultsAreConsistent()
    {
        for (int layout : {42, 58}) {
            const QByteArray a = repairParameterA(layout);
            QCOMPARE(a.size(), SectionRecords::kParameterALength);
            QCOMPARE(quint8(a[1]), quint8(layout == 42 ? 0x1D : 0x3A));
            QCOMPARE(quint8(a[2]) * 256 + quint8(a[3]), int(kBuiltInVendorId));
            QCOMPARE(quint8(a[4]) * 256 + quint8(a[5]), int(kBuiltInProductId));
            QVERIFY(sectionChecksumValid(a, kParameterADataBytes));
        }
        QCOMPARE(hex(repairParameterB()), QByteArray("01 02 00 04 5D"));
        QCOMPARE(quint8(repairFireKey().back()), quint8(0x5A));
        const QByteArray profile = repairProfile();
        QCOMPARE(profile.size(), SectionRecords::kProfileLength);
        QCOMPARE(quint8(profile.back()), quint8(0x57));
        QCOMPARE(profile.mid(0, 48), profile.mid(48, 48));
        QCOMPARE(profile.mid(0, 48), profile.mid(96, 48));
    }

    void validation_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<int>("layout");
        QTest::addColumn<bool>("valid");
        for (const char *name : {"ParameterA", "FireKey", "Profile"}) {
            for (int layout : {0, 42, 58}) {
                for (bool valid : {true, false})
                    QTest::addRow("%s layout %d %s", name, layout, valid ? "valid" : "broken")
                        << QByteArray(name) << layout << valid;
            }
        }
    }
    void validation()
    {
        QFETCH(QByteArray, section);
        QFETCH(int, layout);
        QFETCH(bool, valid);

        SectionRecords s;
        QByteArray &record = recordOf(s, section);
        record = brokenRecord(int(record.size()));
        const int dataBytes = int(record.size()) - 1;
        if (valid)
            SectionChecksum(record, dataBytes);
        const QByteArray before = record;

        validatorOf(section)(s, layout);

        QVERIFY(sectionChecksumValid(record, dataBytes));
        if (valid || layout == 0) {
            // Passed, or no mouse identified: the data bytes stay.
            QCOMPARE(record.left(dataBytes), before.left(dataBytes));
        } else if (section == "ParameterA") {
            QCOMPARE(record, repairParameterA(layout));
        } else if (section == "FireKey") {
            QCOMPARE(record, repairFireKey());
        } else {
            QCOMPARE(record, repairProfile());
        }
    }

    void brokenParameterBResetsParameterA_data()
    {
        QTest::addColumn<int>("layout");
        QTest::newRow("layout 42") << 42;
        QTest::newRow("layout 58") << 58;
        QTest::newRow("no mouse") << 0;
    }
    void brokenParameterBResetsParameterA()
    {
        QFETCH(int, layout);
        SectionRecords s;
        s.ParameterA = brokenRecord(SectionRecords::kParameterALength);
        SectionChecksum(s.ParameterA, kParameterADataBytes);
        const QByteArray validA = s.ParameterA;
        s.ParameterB = QByteArray::fromHex("0302010700");

        CheckParameterBSection(s, layout);

        if (layout == 0) {
            QCOMPARE(s.ParameterA, validA);
            QCOMPARE(hex(s.ParameterB), QByteArray("03 02 01 07 57"));
        } else {
            QCOMPARE(s.ParameterA, repairParameterA(layout));
            QCOMPARE(s.ParameterB, repairParameterB());
        }
    }

    void recordsOfWrongLengthAreSafe()
    {
        SectionRecords s;
        s.ParameterA.clear();
        s.ParameterB = QByteArray(2, '\x01');
        s.FireKey = QByteArray(300, '\x01');
        s.Profile.clear();
        CheckParameterASection(s, 58);
        CheckParameterBSection(s, 58);
        CheckFireKeySection(s, 0);
        CheckProfileSection(s, 42);
        QCOMPARE(s.ParameterA.size(), SectionRecords::kParameterALength);
        QCOMPARE(s.ParameterB.size(), SectionRecords::kParameterBLength);
        QCOMPARE(s.FireKey.size(), SectionRecords::kFireKeyLength);
        QCOMPARE(s.Profile, repairProfile());
    }

    void bitHelpers()
    {
        QVERIFY(TestBit(0xE5, 0));
        QVERIFY(!TestBit(0xE5, 4));
        QCOMPARE(SetBit(0xE5, 4), 0xF5u);
        QCOMPARE(ClearBit(0xF5, 4), 0xE5u);
        // Out-of-range bit numbers name no bit.
        QVERIFY(!TestBit(0xFFFFFFFFu, 32));
        QCOMPARE(SetBit(1, -1), 1u);
        QCOMPARE(ClearBit(1, 40), 1u);
    }
};

QTEST_GUILESS_MAIN(TestSectionChecks)
#include "test_section_checks.moc"
