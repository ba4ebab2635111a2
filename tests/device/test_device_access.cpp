#include "device_rig.h"
#include "ui/language.h"

#include <QTest>

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
        QCOMPARE(rig.observer.events, QStringList({"hideAllMenus", "labels:NoAccess,CheckAccess,",
                                                   "stopLabelRun", "hideAllPages"}));
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
