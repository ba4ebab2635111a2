#include "device/hid_transport.h"
#include "device/simulated_mouse.h"
#include "device_test_support.h"

#include <QTest>

namespace {
constexpr quint32 kVid = 0x1209;
constexpr quint32 kPid = 0x0001;
const QString kProbe = QStringLiteral("40 04 00 11 00 01 00 00");
const QString kDataProbe = QStringLiteral("41 00 00 00 00 00 00 00");

// Which interface a handle reaches, found by sending on it.
int interfaceOf(SimulatedMouse &sim, HidTransport &transport, HidHandle handle)
{
    const size_t mark = sim.trace().size();
    transport.ReportBuffer() = {0x40, 0x19, 0, 0, 0, 0, 0, 0};
    transport.SetFeatureReport(handle);
    return sim.trace().size() > mark ? sim.trace().back().interfaceIndex : -1;
}
} // namespace

class TestHidTransport : public QObject
{
    Q_OBJECT

private slots:
    void probesBothInterfacesOfTheMouse()
    {
        SimulatedMouse sim;
        AppState state;
        HidTransport transport(sim, state);
        QVERIFY(transport.OpenMouse(kVid, kPid));
        QCOMPARE(sentReports(sim), QStringList({"0:" + kProbe, "0:" + kDataProbe + " !",
                                                "1:" + kProbe + " !", "1:" + kDataProbe}));
        QCOMPARE(state.DeviceVendorId, kVid);
        QCOMPARE(state.DeviceProductId, kPid);
        QCOMPARE(state.FeatureReportLength, 8u);
        QCOMPARE(interfaceOf(sim, transport, state.CommandHandle), 0);
        QCOMPARE(interfaceOf(sim, transport, state.DataHandle), 1);
    }

    void oneInterfaceCanCarryBothReports()
    {
        SimulatedMouseConfig config;
        config.combinedInterface = true;
        SimulatedMouse sim(config);
        AppState state;
        HidTransport transport(sim, state);
        QVERIFY(transport.OpenMouse(kVid, kPid));
        QCOMPARE(sentReports(sim), QStringList({"0:" + kProbe, "0:" + kDataProbe}));
        QCOMPARE(state.CommandHandle, state.DataHandle);
        QVERIFY(state.CommandHandle != kInvalidHandle);
    }

    void searchWithoutMatch_data()
    {
        QTest::addColumn<int>("featureLength");
        QTest::addColumn<quint32>("vendorId");
        QTest::addColumn<bool>("plugged");
        QTest::addColumn<bool>("found");
        QTest::newRow("match") << 8 << kVid << true << true;
        QTest::newRow("feature length 64") << 64 << kVid << true << false;
        QTest::newRow("feature length 0") << 0 << kVid << true << false;
        QTest::newRow("other vendor") << 8 << quint32(0x046D) << true << false;
        QTest::newRow("no interfaces") << 8 << kVid << false << false;
    }
    void searchWithoutMatch()
    {
        QFETCH(int, featureLength);
        QFETCH(quint32, vendorId);
        QFETCH(bool, plugged);
        QFETCH(bool, found);
        SimulatedMouseConfig config;
        config.featureReportLength = featureLength;
        SimulatedMouse sim(config);
        sim.setPlugged(plugged);
        AppState state;
        HidTransport transport(sim, state);
        QCOMPARE(transport.OpenMouse(vendorId, kPid), found);
        QCOMPARE(sentReports(sim).size(), found ? 4 : 0);
        QCOMPARE(state.CommandHandle != kInvalidHandle, found);
        if (!found) {
            QCOMPARE(state.DeviceVendorId, 0u);
            QCOMPARE(sim.openHandleCount(), 0);
        }
        QCOMPARE(transport.CountHidInterfaces(), plugged ? 2u : 0u);
    }

    void countsOnlyInterfacesThatOpen()
    {
        SimulatedMouse sim;
        sim.addPlainInterfaces(5);
        AppState state;
        HidTransport transport(sim, state);
        QCOMPARE(transport.CountHidInterfaces(), 7u);
        sim.setOpenable(3, false);
        QCOMPARE(transport.CountHidInterfaces(), 6u);
        sim.removePlainInterfaces(2);
        QCOMPARE(transport.CountHidInterfaces(), 4u);
        QCOMPARE(sim.openHandleCount(), 0);
        QVERIFY(sentReports(sim).isEmpty());
    }

    void lastMouseVisitedWins()
    {
        SimulatedMouse sim;
        sim.addPlainInterfaces(1);
        const int second = sim.addMouse(SimulatedMouseConfig{});
        AppState state;
        HidTransport transport(sim, state);
        QVERIFY(transport.OpenMouse(kVid, kPid));
        // Both mice are probed, the plain interface (index 2) is not.
        QCOMPARE(sentReports(sim).size(), 8);
        QCOMPARE(sentReports(sim).at(4), "3:" + kProbe);
        QCOMPARE(interfaceOf(sim, transport, state.CommandHandle), sim.mouseInterface(second, 0));
        QCOMPARE(interfaceOf(sim, transport, state.DataHandle), sim.mouseInterface(second, 1));
        // The first mouse's interfaces were overtaken and are closed.
        QCOMPARE(sim.openHandleCount(), 2);
    }

    void noProbePassedStillFindsTheMouse()
    {
        SimulatedMouse sim;
        sim.setReportAccepted(0, 0x40, false);
        sim.setReportAccepted(1, 0x41, false);
        AppState state;
        HidTransport transport(sim, state);
        QVERIFY(transport.OpenMouse(kVid, kPid));
        QCOMPARE(state.CommandHandle, kInvalidHandle);
        QCOMPARE(state.DataHandle, kInvalidHandle);
        QCOMPARE(sim.openHandleCount(), 0);
    }

    void repeatedSearchesDoNotLeakHandles()
    {
        SimulatedMouse sim;
        AppState state;
        HidTransport transport(sim, state);
        for (int i = 0; i < 50; ++i) {
            state.CommandHandle = kInvalidHandle;
            state.DataHandle = kInvalidHandle;
            QVERIFY(transport.OpenMouse(kVid, kPid));
        }
        QCOMPARE(sim.openHandleCount(), 2);
        const HidHandle stale = state.CommandHandle;
        state.CommandHandle = kInvalidHandle;
        state.DataHandle = kInvalidHandle;
        transport.closeKeptHandles();
        QCOMPARE(sim.openHandleCount(), 0);
        // A closed handle reaches nothing, even once its slot is reused.
        QVERIFY(transport.OpenMouse(kVid, kPid));
        QVERIFY(!transport.SetFeatureReport(stale));
    }

    void invalidHandleSendsNothing()
    {
        SimulatedMouse sim;
        AppState state;
        HidTransport transport(sim, state);
        QVERIFY(!transport.SetFeatureReport(kInvalidHandle));
        QVERIFY(!transport.GetFeatureReport(kInvalidHandle));
        QVERIFY(sim.trace().empty());
    }
};

QTEST_GUILESS_MAIN(TestHidTransport)
#include "test_hid_transport.moc"
