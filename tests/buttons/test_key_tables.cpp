#include "buttons/key_tables.h"

#include <QSet>
#include <QtTest>

// The properties of the key tables that the rest of the program relies on and
// their irregular corners, rather than a copy of every row.
class TestKeyTables : public QObject
{
    Q_OBJECT
private slots:
    void virtualKeysAndIndicesCorrespond()
    {
        int withVirtualKey = 0;
        for (int index = 0; index < kKeyIndexCount; ++index) {
            const int vk = KeyIndexToVirtualKey(index);
            if (vk >= 0) {
                ++withVirtualKey;
                QCOMPARE(VirtualKeyToKeyIndex(vk), index);
            }
        }
        // All but kh_None, kh_Demo and kh_Return_KP have a key of their own.
        QCOMPARE(withVirtualKey, kKeyIndexCount - 3);
        for (int vk = -2; vk <= 0x101; ++vk) {
            const int index = VirtualKeyToKeyIndex(vk);
            QVERIFY(index >= 0 && index <= 143 && index != kh_Demo);
        }
        // Keys the table does not list, and values that are no key at all.
        for (int vk : {0xE5, 0xE2, 0x00, 0x15, 0x88, 0x5E, -1, 0x141}) {
            QCOMPARE(VirtualKeyToKeyIndex(vk), int(kh_None));
        }
        QCOMPARE(KeyIndexToName(kh_None), QStringLiteral("None"));
        QCOMPARE(KeyIndexToDeviceKey(kh_None), quint8(0));
    }

    void irregularEntries_data()
    {
        QTest::addColumn<int>("virtualKey");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("deviceKey");
        QTest::newRow("A") << 0x41 << 78 << "A" << 0x04;
        QTest::newRow("digit 0 after 9") << 0x30 << 104 << "0" << 0x27;
        QTest::newRow("digit 1") << 0x31 << 105 << "1" << 0x1E;
        QTest::newRow("pad 0 after pad 9") << 0x60 << 30 << "0 (numeric pad)" << 0x62;
        QTest::newRow("pad 1") << 0x61 << 31 << "1 (numeric pad)" << 0x59;
        QTest::newRow("F12 ends the first run") << 0x7B << 57 << "F12" << 0x45;
        QTest::newRow("F13 jumps to 0x68") << 0x7C << 58 << "F13" << 0x68;
        QTest::newRow("255 has no device code") << 0xFF << 2 << "255" << 0;
        QTest::newRow("OEM_8 has none") << 0xDF << 121 << "OEM_8" << 0;
        QTest::newRow("Launch_App2 has none") << 0xB7 << 143 << "Launch_App2" << 0;
        QTest::newRow("vendor media code") << 0xB5 << 141 << "Launch_Media_Select" << 0xD1;
    }
    void irregularEntries()
    {
        QFETCH(int, virtualKey);
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(int, deviceKey);
        QCOMPARE(VirtualKeyToKeyIndex(virtualKey), index);
        QCOMPARE(KeyIndexToName(index), name);
        QCOMPARE(int(KeyIndexToDeviceKey(index)), deviceKey);
    }

    void indicesWithoutKeyOrName()
    {
        QCOMPARE(KeyIndexToName(kh_Demo), QStringLiteral("Demo"));
        QVERIFY(KeyIndexToName(kh_Return_KP).isEmpty());
        for (int outside : {-1, kKeyIndexCount, 1000}) {
            QVERIFY(KeyIndexToName(outside).isEmpty());
            QCOMPARE(KeyIndexToDeviceKey(outside), quint8(0));
            QCOMPARE(KeyIndexToVirtualKey(outside), -1);
        }
    }

    // Names are distinct, and a device code decodes to the name of the key
    // that produced it, except the modifiers, which decode to their left-hand
    // or common name ("Shift" becomes "Left Shift", "Left Windows" "Win").
    void namesAndDecodedNames()
    {
        QSet<QString> names;
        const QSet<int> renamed = {0xE0, 0xE1, 0xE2, 0xE3, 0xE7};
        for (int index = 0; index < kh_Return_KP; ++index) {
            const QString name = KeyIndexToName(index);
            QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(name));
            names.insert(name);
            const quint8 code = KeyIndexToDeviceKey(index);
            if (code != 0 && !renamed.contains(code))
                QCOMPARE(DeviceKeyToName(code), name);
        }
    }

    void modifierCodesAndGaps_data()
    {
        QTest::addColumn<int>("deviceKey");
        QTest::addColumn<QString>("name");
        QTest::newRow("E0") << 0xE0 << "Left Ctrl";
        QTest::newRow("E1") << 0xE1 << "Left Shift";
        QTest::newRow("E2") << 0xE2 << "Left Alt";
        QTest::newRow("E3") << 0xE3 << "Win";
        QTest::newRow("E4") << 0xE4 << "Right Ctrl";
        QTest::newRow("E7") << 0xE7 << "Win";
        QTest::newRow("00") << 0x00 << "";
        QTest::newRow("32 (non-US hash)") << 0x32 << "";
        QTest::newRow("64 (non-US backslash)") << 0x64 << "";
        QTest::newRow("D0 gap in media range") << 0xD0 << "";
        QTest::newRow("FF") << 0xFF << "";
    }
    void modifierCodesAndGaps()
    {
        QFETCH(int, deviceKey);
        QFETCH(QString, name);
        QCOMPARE(DeviceKeyToName(quint8(deviceKey)), name);
    }
};

QTEST_GUILESS_MAIN(TestKeyTables)
#include "test_key_tables.moc"
