#include "device/report_descriptor.h"
#include "virtual_mouse_firmware.h"

#include <QTest>

namespace {
const QByteArray kCommandProbe = QByteArray::fromHex("4004001100010000");
const QByteArray kDataProbe = QByteArray::fromHex("4100000000000000");
// Register 0x90E7, then its value fetched from the data interface.
const QByteArray kReadSignature = QByteArray::fromHex("400490E700000000");

std::unique_ptr<VirtualMouseFirmware> firmware(VirtualMouseFirmware::Options options = {})
{
    QString error;
    auto made = VirtualMouseFirmware::create(options, &error);
    if (!made)
        qWarning("%s", qPrintable(error));
    return made;
}

} // namespace

class TestVirtualMouseFirmware : public QObject
{
    Q_OBJECT

private slots:
    void descriptorsDeclareOneEightByteFeatureReportEach()
    {
        for (int device = 0; device < 4; ++device) {
            const QByteArray descriptor = VirtualMouseFirmware::reportDescriptor(device);
            const auto *bytes = reinterpret_cast<const quint8 *>(descriptor.constData());
            // The length the programs' search insists on.
            QCOMPARE(featureReportByteLength({bytes, size_t(descriptor.size())}), 8);
            // Its report id item: 0x40 on the command interface, 0x41 on the data one.
            const QByteArray own = QByteArray::fromHex(device % 2 == 0 ? "8540" : "8541");
            const QByteArray other = QByteArray::fromHex(device % 2 == 0 ? "8541" : "8540");
            QVERIFY(descriptor.contains(own) && !descriptor.contains(other));
            // An ordinary mouse's input report comes first: usage page 1, usage 2.
            QVERIFY(descriptor.startsWith(QByteArray::fromHex("05010902")));
        }
    }

    void eachInterfaceRefusesTheOthersReport()
    {
        auto mouse = firmware();
        QVERIFY(mouse);
        QCOMPARE(mouse->deviceCount(), 2);
        QVERIFY(mouse->setReport(0, kCommandProbe) && mouse->setReport(1, kDataProbe));
        QVERIFY(!mouse->setReport(0, kDataProbe) && !mouse->setReport(1, kCommandProbe));
        QVERIFY(!mouse->getReport(0, 0x41));
        // A register read: asked on the command interface, answered on the data one.
        QVERIFY(mouse->setReport(0, kReadSignature));
        const std::optional<QByteArray> reply = mouse->getReport(1, 0x41);
        QVERIFY(reply && reply->size() == 8 && reply->contains(char(0xAF)));
        // Reports of a wrong size or to no such device are refused.
        QVERIFY(!mouse->setReport(0, kCommandProbe.left(7)) && !mouse->setReport(2, kCommandProbe));
        QVERIFY(!mouse->getReport(-1, 0x41));

        // Every report is traced as the programs trace, refused ones too.
        const QStringList trace = mouse->takeTrace();
        QCOMPARE(trace.size(), 7);
        QCOMPARE(trace.at(2), QStringLiteral("set 0 41 00 00 00 00 00 00 00"));
        QVERIFY(trace.at(6).startsWith(QStringLiteral("get 1 41 ")));
    }

    void familiesAndCounts()
    {
        VirtualMouseFirmware::Options options;
        options.family = QStringLiteral("a42");
        options.count = 2;
        auto mice = firmware(options);
        QVERIFY(mice && mice->deviceCount() == 4);
        QVERIFY(mice->mice().config(1).chipByte == 0x50 && mice->mice().config(1).layoutByte == 29);
        // Each mouse carries the default image and answers on its own devices.
        QCOMPARE(mice->mice().memoryBytes(0), mice->mice().memoryBytes(1));
        QVERIFY(mice->setReport(2, kCommandProbe) && mice->setReport(3, kDataProbe));

        QString error;
        options.family = QStringLiteral("c58");
        QVERIFY(!VirtualMouseFirmware::create(options, &error) && error.contains("c58"));
        options.family = QStringLiteral("b58");
        options.count = 0;
        QVERIFY(!VirtualMouseFirmware::create(options, &error));
    }

    // The counts start at the first report; a re-plugged mouse stays.
    void unplugsAndReplugsAtTheirCounts()
    {
        VirtualMouseFirmware::Options options;
        options.unplugAfter = 2;
        auto mouse = firmware(options);
        QVERIFY(mouse);
        QVERIFY(mouse->setReport(0, kCommandProbe) &&
                mouse->afterReport() == VirtualMouseFirmware::Plug::Stay);
        // The second report is still answered, then the mouse is gone.
        QVERIFY(mouse->setReport(0, kCommandProbe));
        QCOMPARE(mouse->afterReport(), VirtualMouseFirmware::Plug::Unplug);
        QVERIFY(!mouse->mice().isPlugged(0));

        options = {};
        options.replugAfter = 2;
        mouse = firmware(options);
        QVERIFY(mouse);
        QVERIFY(mouse->setReport(0, kCommandProbe));
        QCOMPARE(mouse->afterReport(), VirtualMouseFirmware::Plug::Stay);
        // Half a command: the register address is sent, the value not yet fetched.
        QVERIFY(mouse->setReport(0, kReadSignature));
        QCOMPARE(mouse->afterReport(), VirtualMouseFirmware::Plug::Replug);
        mouse->replugged();
        // It knows nothing of the half-done command but answers.
        QVERIFY(mouse->setReport(0, kReadSignature) && mouse->getReport(1, 0x41));
        QVERIFY(mouse->setReport(1, kDataProbe));
        QCOMPARE(mouse->afterReport(), VirtualMouseFirmware::Plug::Stay);
        QCOMPARE(mouse->reportCount(), 5);
    }
};

QTEST_GUILESS_MAIN(TestVirtualMouseFirmware)
#include "test_virtual_mouse_firmware.moc"
