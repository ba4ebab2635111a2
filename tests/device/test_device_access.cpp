#include "device/simulator_setup.h"
#include "device_rig.h"
#include "ui/language.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
// A user without permission on the mouse's nodes: present, but not openable.
void denyMouse(DeviceRig &rig, bool denied = true)
{
    rig.sim.setAccessDenied(rig.sim.mouseInterface(0, 0), denied);
    rig.sim.setAccessDenied(rig.sim.mouseInterface(0, 1), denied);
}
} // namespace

class TestDeviceAccess : public QObject
{
    Q_OBJECT

private slots:
    void deniedNodesStillCountAndAreNamedBySearch()
    {
        DeviceRig rig;
        rig.sim.addPlainInterfaces(2);
        denyMouse(rig);
        rig.sim.setAccessDenied(2, true);
        // Denied nodes are present; a node that fails for another reason is not.
        rig.sim.setOpenable(3, false);
        QCOMPARE(rig.link.transport.CountHidInterfaces(), 3u);

        QVERIFY(!rig.link.transport.OpenMouse(0x1209, 0x0001));
        QCOMPARE(rig.link.transport.deniedMouseInterfaces(),
                 QList<QByteArray>({"sim:mouse0:if0", "sim:mouse0:if1"}));
        // A search for other ids does not report this mouse's nodes.
        QVERIFY(!rig.link.transport.OpenMouse(0x1209, 0x0002));
        QVERIFY(rig.link.transport.deniedMouseInterfaces().isEmpty());
        QVERIFY(rig.sim.trace().empty());
    }

    void deniedMouseShowsWhichNodesInsteadOfNoDevice()
    {
        DeviceRig rig;
        denyMouse(rig);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::NoAccess);
        QCOMPARE(rig.observer.events, QStringList({"mouseLost", "labels:NoAccess,CheckAccess,"}));
        QCOMPARE(rig.observer.labels.deniedNodes, QStringLiteral("sim:mouse0:if0, sim:mouse0:if1"));
        QCOMPARE(rig.observer.labels, rig.link.connection.labels());
        QVERIFY(rig.state().NoDevicePage);

        // The rule installed, the mouse unplugged and plugged in again.
        denyMouse(rig, false);
        rig.sim.setPlugged(false);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::NoDevice);
        QVERIFY(!rig.observer.labels.lbl_NoAccess && rig.observer.labels.deniedNodes.isEmpty());
        rig.sim.setPlugged(true);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
    }

    void halfAccessibleMouseNamesTheDeniedNode()
    {
        DeviceRig rig;
        rig.sim.setAccessDenied(rig.sim.mouseInterface(0, 1), true); // the data interface
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::NoAccess);
        QCOMPARE(rig.observer.labels.deniedNodes, QStringLiteral("sim:mouse0:if1"));
        QCOMPARE(rig.state().CommandHandle, kInvalidHandle);
        QCOMPARE(rig.sim.openHandleCount(), 0);
    }

    // The programs never talk to the backend directly: SimulatorSetup puts
    // its tracer around the real one, with or without --trace. The refusal
    // must come through that wrapper as it comes through the bare backend.
    void refusedNodesAreNamedThroughTheProgramsWrapper_data()
    {
        QTest::addColumn<bool>("traced");
        QTest::addColumn<QList<int>>("denied");
        QTest::addColumn<QString>("nodes");
        QTest::newRow("both nodes")
            << false << QList<int>{0, 1} << "sim:mouse0:if0, sim:mouse0:if1";
        QTest::newRow("data node") << false << QList<int>{1} << "sim:mouse0:if1";
        QTest::newRow("command node, traced") << true << QList<int>{0} << "sim:mouse0:if0";
    }
    void refusedNodesAreNamedThroughTheProgramsWrapper()
    {
        QFETCH(bool, traced);
        QFETCH(QList<int>, denied);
        QFETCH(QString, nodes);
        SimulatorOptions options; // real HID, as without --simulate
        QTemporaryDir folder;
        if (traced)
            options.tracePath = folder.filePath(QStringLiteral("trace"));
        SimulatedMouse *hardware = nullptr;
        const auto realBackend = [&hardware, &denied] {
            auto mouse = std::make_unique<SimulatedMouse>();
            mouse->placeImage(defaultImage());
            for (int which : denied)
                mouse->setAccessDenied(mouse->mouseInterface(0, which), true);
            hardware = mouse.get();
            return mouse;
        };
        ManualClock clock;
        SimulatorSetup setup;
        QString error;
        QVERIFY(setup.start(options, clock, realBackend, {}, &error));
        QVERIFY(&setup.backend() != hardware);

        Configuration config;
        config.startUp();
        RecordingObserver observer;
        DeviceLink link(config, setup.backend(), clock);
        link.setObserver(&observer);
        link.connection.DevTimerTimer();
        QCOMPARE(link.connection.connectionState(), ConnectionState::NoAccess);
        QCOMPARE(link.connection.labels().deniedNodes, nodes);
        QCOMPARE(hardware->openHandleCount(), 0);
        QVERIFY(setup.finish(&error));
    }

    void everyLanguageExplainsTheRefusal()
    {
        for (int language = 1; language <= 3; ++language) {
            const LanguageTable table = OpenLanguage(language);
            QVERIFY(LanguageText(table, u"Str104").contains(QLatin1String("%1")));
            QVERIFY(
                LanguageText(table, u"Str105").contains(QLatin1String("70-gaming-mouse.rules")));
        }
    }
};

QTEST_GUILESS_MAIN(TestDeviceAccess)
#include "test_device_access.moc"
