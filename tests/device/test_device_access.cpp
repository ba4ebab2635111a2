#include "device/device_link.h"
#include "device/simulated_mouse.h"
#include "device_test_support.h"
#include "image/configuration.h"
#include "ui/language.h"

#include <QSet>
#include <QTest>

namespace {
// The simulated machine as a user without permission on some nodes sees it:
// opening a refused node fails, and the backend can tell whose node it was.
class RefusingBackend final : public HidBackend
{
public:
    explicit RefusingBackend(SimulatedMouse &sim) : m_sim(sim) {}

    QSet<QByteArray> refused;

    QList<QByteArray> enumerateInterfaces() override { return m_sim.enumerateInterfaces(); }
    HidHandle open(const QByteArray &path) override
    {
        return refused.contains(path) ? kInvalidHandle : m_sim.open(path);
    }
    std::optional<IdPair> deniedInterface(const QByteArray &path) override
    {
        if (!refused.contains(path))
            return std::nullopt;
        const HidHandle handle = m_sim.open(path);
        const std::optional<IdPair> ids = m_sim.attributes(handle);
        m_sim.close(handle);
        return ids;
    }
    void close(HidHandle handle) override { m_sim.close(handle); }
    std::optional<IdPair> attributes(HidHandle handle) override { return m_sim.attributes(handle); }
    int featureReportLength(HidHandle handle) override { return m_sim.featureReportLength(handle); }
    bool setFeature(HidHandle handle, const HidReport &report) override
    {
        return m_sim.setFeature(handle, report);
    }
    bool getFeature(HidHandle handle, HidReport &report) override
    {
        return m_sim.getFeature(handle, report);
    }

private:
    SimulatedMouse &m_sim;
};

struct AccessRig
{
    AccessRig()
    {
        config.startUp();
        sim.placeImage(defaultImage());
        link.setObserver(&observer);
    }
    void refuseMouse() { backend.refused = {"sim:mouse0:if0", "sim:mouse0:if1"}; }

    Configuration config;
    SimulatedMouse sim;
    RefusingBackend backend{sim};
    ManualClock clock;
    RecordingObserver observer;
    DeviceLink link{config, backend, clock};
};
} // namespace

class TestDeviceAccess : public QObject
{
    Q_OBJECT

private slots:
    void refusedNodesStillCountAndAreNamedBySearch()
    {
        AccessRig rig;
        rig.sim.addPlainInterfaces(2);
        rig.refuseMouse();
        rig.backend.refused.insert("sim:plain0");
        // Refused nodes are present; a node that fails for another reason is not.
        rig.sim.setOpenable(3, false);
        QCOMPARE(rig.link.transport.CountHidInterfaces(), 3u);

        QVERIFY(!rig.link.transport.OpenMouse(0x1209, 0x0001));
        QCOMPARE(rig.link.transport.deniedMouseInterfaces(),
                 QList<QByteArray>({"sim:mouse0:if0", "sim:mouse0:if1"}));
        // Other ids: the mouse's refused nodes are not this search's business.
        QVERIFY(!rig.link.transport.OpenMouse(0x1209, 0x0002));
        QVERIFY(rig.link.transport.deniedMouseInterfaces().isEmpty());
        QVERIFY(rig.sim.trace().empty());
    }

    void refusedMouseShowsWhichNodesInsteadOfNoDevice()
    {
        AccessRig rig;
        rig.refuseMouse();
        rig.link.connection.DevTimerTimer();

        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::NoAccess);
        QCOMPARE(rig.observer.events, QStringList({"hideAllMenus", "labels:NoAccess,CheckAccess,",
                                                   "stopLabelRun", "hideAllPages"}));
        QCOMPARE(rig.observer.labels.deniedNodes, QStringLiteral("sim:mouse0:if0, sim:mouse0:if1"));
        QCOMPARE(rig.observer.labels, rig.link.connection.labels());
        QVERIFY(rig.config.state().NoDevicePage);
        QCOMPARE(rig.config.state().CommandHandle, kInvalidHandle);

        // The rule installed and the mouse plugged in again: connected.
        rig.backend.refused.clear();
        rig.sim.setPlugged(false);
        rig.link.connection.DevTimerTimer();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::NoDevice);
        QCOMPARE(rig.observer.labels.lbl_NoAccess, false);
        QVERIFY(rig.observer.labels.deniedNodes.isEmpty());
        rig.sim.setPlugged(true);
        rig.link.connection.DevTimerTimer();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
    }

    void halfAccessibleMouseNamesTheRefusedNode()
    {
        AccessRig rig;
        rig.backend.refused = {"sim:mouse0:if1"}; // the data interface
        rig.link.connection.DevTimerTimer();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::NoAccess);
        QCOMPARE(rig.observer.labels.deniedNodes, QStringLiteral("sim:mouse0:if1"));
        QCOMPARE(rig.config.state().DataHandle, kInvalidHandle);
        QCOMPARE(rig.sim.openHandleCount(), 0);
    }

    void everyLanguageExplainsTheRefusal()
    {
        for (int language = 1; language <= 3; ++language) {
            const LanguageTable table = OpenLanguage(language);
            const QString node = LanguageText(table, u"Str104");
            QVERIFY2(node.contains(QLatin1String("%1")), qPrintable(node));
            QVERIFY(
                LanguageText(table, u"Str105").contains(QLatin1String("70-gaming-mouse.rules")));
        }
    }
};

QTEST_GUILESS_MAIN(TestDeviceAccess)
#include "test_device_access.moc"
