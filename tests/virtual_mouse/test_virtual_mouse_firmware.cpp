#include "device/report_descriptor.h"
#include "virtual_mouse_firmware.h"

#include <QTest>

namespace {
QByteArray report(std::initializer_list<int> bytes)
{
    QByteArray out;
    for (int byte : bytes)
        out.append(char(byte));
    return out;
}

const QByteArray kCommandProbe = report({0x40, 0x04, 0x00, 0x11, 0x00, 0x01, 0x00, 0x00});
const QByteArray kDataProbe = report({0x41, 0, 0, 0, 0, 0, 0, 0});
// Register 0x90E7, then its value fetched from the data interface.
const QByteArray kReadSignature = report({0x40, 0x04, 0x90, 0xE7, 0x00, 0x00, 0x00, 0x00});

std::unique_ptr<VirtualMouseFirmware> firmware(VirtualMouseFirmware::Options options = {})
{
    QString error;
    auto made = VirtualMouseFirmware::create(options, &error);
    if (!made)
        qWarning("%s", qPrintable(error));
    return made;
}

// Collects the report ids a descriptor declares for feature reports.
QList<int> featureIds(const QByteArray &descriptor)
{
    QList<int> ids;
    int reportId = 0;
    for (qsizetype i = 0; i < descriptor.size();) {
        const quint8 prefix = quint8(descriptor.at(i));
        const int size = (prefix & 3) == 3 ? 4 : prefix & 3;
        const quint8 value = i + 1 < descriptor.size() ? quint8(descriptor.at(i + 1)) : 0;
        if ((prefix & 0xFC) == 0x84)
            reportId = value;
        if ((prefix & 0xFC) == 0xB0 && !ids.contains(reportId))
            ids.append(reportId);
        i += 1 + size;
    }
    return ids;
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
            QCOMPARE(featureIds(descriptor), QList<int>{device % 2 == 0 ? 0x40 : 0x41});
            // An ordinary mouse's input report comes first: usage page 1, usage 2.
            QVERIFY(descriptor.startsWith(report({0x05, 0x01, 0x09, 0x02})));
        }
    }

    void eachInterfaceRefusesTheOthersReport()
    {
        auto mouse = firmware();
        QVERIFY(mouse);
        QCOMPARE(mouse->deviceCount(), 2);
        QVERIFY(mouse->setReport(0, kCommandProbe));
        QVERIFY(!mouse->setReport(0, kDataProbe));
        QVERIFY(!mouse->setReport(1, kCommandProbe));
        QVERIFY(mouse->setReport(1, kDataProbe));
        QVERIFY(!mouse->getReport(0, 0x41));

        // A register read: asked on the command interface, answered on the data one.
        QVERIFY(mouse->setReport(0, kReadSignature));
        const std::optional<QByteArray> reply = mouse->getReport(1, 0x41);
        QVERIFY(reply);
        QCOMPARE(reply->size(), 8);
        QCOMPARE(quint8(reply->at(0)), 0x41);
        QVERIFY(reply->contains(char(0xAF)));
        // Reports of a wrong size or to no such device are refused.
        QVERIFY(!mouse->setReport(0, kCommandProbe.left(7)));
        QVERIFY(!mouse->setReport(2, kCommandProbe));
        QVERIFY(!mouse->getReport(-1, 0x41));

        // Every report is traced as the programs trace, refused ones too.
        const QStringList trace = mouse->takeTrace();
        QCOMPARE(trace.size(), 7);
        QCOMPARE(trace.at(0), QStringLiteral("set 0 40 04 00 11 00 01 00 00"));
        QCOMPARE(trace.at(1), QStringLiteral("set 0 41 00 00 00 00 00 00 00"));
        QCOMPARE(trace.at(3), QStringLiteral("set 1 41 00 00 00 00 00 00 00"));
        QVERIFY(trace.at(6).startsWith(QStringLiteral("get 1 41 ")));
        QVERIFY(mouse->takeTrace().isEmpty());
    }

    void familiesAndCounts()
    {
        VirtualMouseFirmware::Options options;
        options.family = QStringLiteral("a42");
        options.count = 2;
        auto mice = firmware(options);
        QVERIFY(mice);
        QCOMPARE(mice->deviceCount(), 4);
        QCOMPARE(mice->mice().config(1).chipByte, 0x50);
        QCOMPARE(mice->mice().config(1).layoutByte, 29);
        // Each mouse carries the default image and answers on its own devices.
        QCOMPARE(mice->mice().memoryBytes(0), mice->mice().memoryBytes(1));
        QVERIFY(mice->setReport(2, kCommandProbe) && mice->setReport(3, kDataProbe));
        QVERIFY(mice->takeTrace().at(1).startsWith(QStringLiteral("set 3 ")));

        QString error;
        options.family = QStringLiteral("c58");
        QVERIFY(!VirtualMouseFirmware::create(options, &error));
        QVERIFY(error.contains(QLatin1String("c58")));
        options.family = QStringLiteral("b58");
        options.count = 0;
        QVERIFY(!VirtualMouseFirmware::create(options, &error));
    }

    void unplugsAfterTheNthReport()
    {
        VirtualMouseFirmware::Options options;
        options.unplugAfter = 3;
        auto mouse = firmware(options);
        QVERIFY(mouse);
        for (int i = 1; i <= 2; ++i) {
            QVERIFY(mouse->setReport(0, kCommandProbe));
            QCOMPARE(mouse->afterReport(), VirtualMouseFirmware::Plug::Stay);
        }
        // The third report is still answered, then the mouse is gone.
        QVERIFY(mouse->setReport(0, kCommandProbe));
        QCOMPARE(mouse->afterReport(), VirtualMouseFirmware::Plug::Unplug);
        QVERIFY(!mouse->mice().isPlugged(0));
    }

    void replugsOnceAndAnswersAgain()
    {
        VirtualMouseFirmware::Options options;
        options.replugAfter = 2;
        auto mouse = firmware(options);
        QVERIFY(mouse);
        QVERIFY(mouse->setReport(0, kCommandProbe));
        QCOMPARE(mouse->afterReport(), VirtualMouseFirmware::Plug::Stay);
        // Half a command: the register address is sent, the value not yet fetched.
        QVERIFY(mouse->setReport(0, kReadSignature));
        QCOMPARE(mouse->afterReport(), VirtualMouseFirmware::Plug::Replug);
        mouse->replugged();
        // Re-plugged, it knows nothing of the half-done command but answers.
        QVERIFY(mouse->setReport(0, kReadSignature));
        QVERIFY(mouse->getReport(1, 0x41));
        for (int i = 0; i < 5; ++i) {
            QVERIFY(mouse->setReport(1, kDataProbe));
            QCOMPARE(mouse->afterReport(), VirtualMouseFirmware::Plug::Stay);
        }
        QCOMPARE(mouse->reportCount(), 9);
    }
};

QTEST_GUILESS_MAIN(TestVirtualMouseFirmware)
#include "test_virtual_mouse_firmware.moc"
