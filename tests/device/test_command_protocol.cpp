#include "device/command_protocol.h"
#include "device/simulated_mouse.h"
#include "device_test_support.h"

#include <QTest>

#include <memory>
#include <vector>

namespace {
struct Link
{
    explicit Link(const SimulatedMouseConfig &config = {}) : sim(config)
    {
        transport.OpenMouse(0x1209, 0x0001);
        sim.clearTrace();
        for (int i = 0; i < SimulatedMouse::kMemorySize; ++i)
            sim.memory()[size_t(i)] = quint8(i * 7 + (i >> 8));
    }
    SimulatedMouse sim;
    AppState state;
    HidTransport transport{sim, state};
    CommandProtocol protocol{transport, state};
};

QByteArray bytes(std::span<const quint8> span)
{
    return QByteArray(reinterpret_cast<const char *>(span.data()), qsizetype(span.size()));
}
} // namespace

class TestCommandProtocol : public QObject
{
    Q_OBJECT

private slots:
    void memoryRead_data()
    {
        QTest::addColumn<bool>("sixteenBit");
        QTest::addColumn<bool>("quiet");
        QTest::addColumn<quint32>("address");
        QTest::addColumn<quint32>("length");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("dataReports");
        QTest::newRow("8-bit id bytes")
            << false << true << 0x6053u << 6u << "40 0B 00 53 00 06 00 00" << 1;
        QTest::newRow("16-bit id bytes")
            << true << true << 0x6057u << 6u << "40 0E 60 57 00 06 00 00" << 1;
        QTest::newRow("parameter block A")
            << false << false << 0x6000u << 256u << "40 0B 00 00 01 00 00 00" << 37;
        QTest::newRow("parameter block B")
            << true << false << 0x6000u << 256u << "40 0E 60 00 01 00 00 00" << 37;
        QTest::newRow("macro block")
            << true << false << 0x8400u << 1024u << "40 0E 84 00 04 00 00 00" << 147;
        QTest::newRow("ParameterB area")
            << true << false << 0x7000u << 5u << "40 0E 70 00 00 05 00 00" << 1;
        QTest::newRow("length 0") << true << false << 0x7005u << 0u << "40 0E 70 05 00 00 00 00"
                                  << 0;
        QTest::newRow("length 7") << true << false << 0x6000u << 7u << "40 0E 60 00 00 07 00 00"
                                  << 1;
        QTest::newRow("length 8") << true << false << 0x6000u << 8u << "40 0E 60 00 00 08 00 00"
                                  << 2;
    }
    void memoryRead()
    {
        QFETCH(bool, sixteenBit);
        QFETCH(bool, quiet);
        QFETCH(quint32, address);
        QFETCH(quint32, length);
        QFETCH(QString, command);
        QFETCH(int, dataReports);
        Link link;
        int progress = 0;
        link.protocol.setChunkProgress([&](int, int) { ++progress; });
        std::vector<quint8> buffer(length + 9, 0x11);
        std::span<quint8> span(buffer);
        bool ok = false;
        if (sixteenBit)
            ok = quiet ? link.protocol.ReadMemory16Quiet(address, length, span)
                       : link.protocol.ReadMemory16(address, length, span);
        else
            ok = quiet ? link.protocol.ReadMemory8Quiet(address, length, span)
                       : link.protocol.ReadMemory8(address, length, span);
        QVERIFY(ok);
        QCOMPARE(sentCommands(link.sim), QStringList{command});
        QCOMPARE(countFetched(link.sim), dataReports);
        QCOMPARE(progress, quiet ? 0 : dataReports);
        // Family A reaches the parameter block through the low address byte.
        const quint16 device = sixteenBit ? quint16(address) : quint16(0x6000 | (address & 0xFF));
        QCOMPARE(bytes(span.first(length)), link.sim.readBytes(device, int(length)));
        QCOMPARE(bytes(span.subspan(length)), QByteArray(9, char(0x11)));
        QCOMPARE(link.protocol.failedReports(), 0u);
    }

    void writeSendsChunksWithFiller()
    {
        Link link;
        link.protocol.erase(0x60);
        link.sim.clearTrace();
        const QByteArray data = "ABCDEFGHIJ";
        int progress = 0;
        link.protocol.setChunkProgress([&](int, int count) {
            QCOMPARE(count, 2);
            ++progress;
        });
        const auto *raw = reinterpret_cast<const quint8 *>(data.constData());
        QVERIFY(link.protocol.WriteMemory16(0x6400, 10, {raw, 10}));
        QCOMPARE(sentReports(link.sim),
                 QStringList({"0:40 12 64 00 00 0A 00 00", "1:41 41 42 43 44 45 46 47",
                              "1:41 48 49 4A FF FF FF FF"}));
        QCOMPARE(progress, 2);
        QCOMPARE(link.sim.readBytes(0x6400, 11), data + char(0xFF));
    }

    void familyAWriteSendsLowAddressByte()
    {
        SimulatedMouseConfig config;
        config.chipByte = 0x50;
        Link link(config);
        const std::array<quint8, 3> data = {1, 2, 3};
        QVERIFY(link.protocol.WriteMemory8(0x6053, 3, data));
        QCOMPARE(sentReports(link.sim),
                 QStringList({"0:40 09 00 53 00 03 00 00", "1:41 01 02 03 FF FF FF FF"}));
        QCOMPARE(link.sim.readBytes(0x6053, 4).left(3), QByteArray("\x01\x02\x03", 3));
    }

    void failedDataReadsLeaveFFAndAreCounted()
    {
        Link link;
        link.sim.setFailEveryNthGet(2);
        std::array<quint8, 21> buffer{};
        QVERIFY(link.protocol.ReadMemory16(0x6000, 21, buffer));
        const QByteArray got = bytes(buffer);
        QCOMPARE(got.left(7), link.sim.readBytes(0x6000, 7));
        QCOMPARE(got.mid(7, 7), QByteArray(7, char(0xFF)));
        QCOMPARE(got.mid(14), link.sim.readBytes(0x600E, 7));
        QCOMPARE(link.protocol.failedReports(), 1u);
    }

    void refusedTransfersSendNoData_data()
    {
        QTest::addColumn<quint32>("length");
        QTest::addColumn<int>("bufferSize");
        QTest::addColumn<bool>("commandAccepted");
        QTest::addColumn<int>("reportsSent");
        QTest::newRow("longer than buffer") << 9u << 8 << true << 0;
        QTest::newRow("longer than a transfer") << 0x10000u << 0x10000 << true << 0;
        QTest::newRow("command refused") << 8u << 8 << false << 1;
    }
    void refusedTransfersSendNoData()
    {
        QFETCH(quint32, length);
        QFETCH(int, bufferSize);
        QFETCH(bool, commandAccepted);
        QFETCH(int, reportsSent);
        Link link;
        link.sim.setReportAccepted(0, 0x40, commandAccepted);
        std::vector<quint8> buffer(size_t(bufferSize), 0x11);
        QVERIFY(!link.protocol.ReadMemory16(0x6000, length, buffer));
        QVERIFY(std::all_of(buffer.begin(), buffer.end(), [](quint8 b) { return b == 0xFF; }));
        QVERIFY(!link.protocol.WriteMemory16(0x6000, length, buffer));
        QCOMPARE(int(sentReports(link.sim).size()), 2 * reportsSent);
        QCOMPARE(countFetched(link.sim), 0);
    }

    void registersWithoutDataHandleReadFF()
    {
        Link link;
        link.state.DataHandle = kInvalidHandle;
        QCOMPARE(link.protocol.readRegister(0x90E7), std::optional<quint8>(0xFF));
        const auto reply = link.protocol.identify();
        QVERIFY(reply);
        QCOMPARE(reply->layoutByte, 0xFF);
        QCOMPARE(link.protocol.failedReports(), 2u);
        link.state.CommandHandle = kInvalidHandle;
        QVERIFY(!link.protocol.readRegister(0x90E7));
        QCOMPARE(countSent(link.sim, 0x40), 2);
    }

    void registersAndIdentify()
    {
        SimulatedMouseConfig config;
        config.chipByte = 0xA5;
        config.layoutByte = 29;
        config.modeRegister = 0x08;
        config.flashTypeRegister = 0x9D;
        Link link(config);
        QCOMPARE(link.protocol.readRegister(0x90E7), std::optional<quint8>(0xAF));
        QCOMPARE(link.protocol.readRegister(0x90E4), std::optional<quint8>(0x08));
        QCOMPARE(link.protocol.readRegister(0x0008), std::optional<quint8>(0x9D));
        const auto reply = link.protocol.identify();
        QVERIFY(reply);
        QCOMPARE(reply->layoutByte, 29);
        QCOMPARE(reply->chipByte, 0xA5);
        QCOMPARE(sentCommands(link.sim),
                 QStringList({"40 04 90 E7 00 00 00 00", "40 04 90 E4 00 00 00 00",
                              "40 04 00 08 00 00 00 00", "40 16 00 00 00 00 00 00"}));
    }

    void reload_data()
    {
        QTest::addColumn<bool>("rateChanged");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("plain") << false << QStringList{"40 19 00 00 00 00 00 00"};
        QTest::newRow("report rate changed")
            << true << QStringList{"40 03 00 01 00 00 00 00", "40 18 00 00 00 00 00 00"};
    }
    void reload()
    {
        QFETCH(bool, rateChanged);
        QFETCH(QStringList, commands);
        Link link;
        link.state.ReportRateChanged = rateChanged;
        link.protocol.reloadSystem();
        QCOMPARE(sentCommands(link.sim), commands);
        QCOMPARE(link.state.ReportRateChanged, false);
        QCOMPARE(link.sim.reloadCount(), rateChanged ? 0 : 1);
        QCOMPARE(link.sim.reportRateReloadCount(), rateChanged ? 1 : 0);
        QCOMPARE(countFetched(link.sim), 0);
    }

    void eraseCoversTheConfigurationArea()
    {
        Link link;
        link.protocol.eraseConfigurationRegions();
        QStringList expected;
        for (int region = 0x60; region <= 0xF0; region += 0x10)
            expected << QStringLiteral("40 11 %1 00 00 00 00 00").arg(region, 2, 16).toUpper();
        QCOMPARE(sentCommands(link.sim), expected);
        QCOMPARE(link.sim.readBytes(0x6000, 0xA000), QByteArray(0xA000, char(0xFF)));
        QVERIFY(link.sim.readBytes(0x5FFF, 1) != QByteArray(1, char(0xFF)));
    }

    void chosenRoutines()
    {
        Link link;
        std::array<quint8, 4> buffer{};
        QVERIFY(!link.protocol.ReadMemory(0x6000, 4, buffer));
        QVERIFY(!link.protocol.WriteMemory(0x6000, 4, buffer));
        QVERIFY(link.sim.trace().empty());
        link.state.ReadMemory = AppState::Routines::FamilyA;
        QVERIFY(link.protocol.ReadMemory(0x6010, 4, buffer));
        link.state.ReadMemory = AppState::Routines::FamilyB;
        QVERIFY(link.protocol.ReadMemory(0x6010, 4, buffer));
        QCOMPARE(sentCommands(link.sim),
                 QStringList({"40 0B 00 10 00 04 00 00", "40 0E 60 10 00 04 00 00"}));
    }
};

QTEST_GUILESS_MAIN(TestCommandProtocol)
#include "test_command_protocol.moc"
