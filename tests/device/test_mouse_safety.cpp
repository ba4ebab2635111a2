#include "device/simulator_setup.h"
#include "device_rig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(ConnectionState)

namespace {

// A lock another program may be holding; records what the link asked of it.
class FakeLock final : public DeviceLock
{
public:
    bool acquire(const IdPair &ids) override
    {
        ++attempts;
        lastIds = ids;
        if (takenElsewhere)
            return false;
        ++acquired;
        return true;
    }
    void release() override { ++released; }

    bool takenElsewhere = false;
    int attempts = 0;
    int acquired = 0;
    int released = 0;
    IdPair lastIds;
};

struct LockedRig : DeviceRig
{
    LockedRig() { link.setLock(&lock); }
    FakeLock lock;
};

} // namespace

// Locking, the retried read, and the simulator set-up both programs share.
class TestMouseSafety : public QObject
{
    Q_OBJECT

private slots:
    void searchWaitsForAnotherProgram()
    {
        LockedRig rig;
        rig.lock.takenElsewhere = true;
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::InUse);
        QCOMPARE(countSent(rig.sim, 0x40) + countSent(rig.sim, 0x41), 0);
        const QString inUse = rig.link.transfer.messageText(DeviceMessage::Id::MouseInUse);
        QCOMPARE(rig.observer.messages, QStringList{inUse});
        QCOMPARE(rig.lock.lastIds, IdPair(0x1209, 0x0001));

        // Said once, tried on every tick, even with nothing plugged.
        rig.tick();
        QCOMPARE(rig.observer.messages.size(), 1);
        rig.lock.takenElsewhere = false;
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        // The search, identification and read-all took the lock once.
        QCOMPARE(rig.lock.attempts, 3);
        QCOMPARE(rig.lock.acquired, 1);
        QCOMPARE(rig.lock.released, 1);
    }

    void transfersHoldTheLock()
    {
        LockedRig rig;
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        const int before = rig.lock.acquired;
        QVERIFY(rig.link.transfer.DownloadParameter());
        QVERIFY(rig.link.transfer.DefaultParameter());
        QVERIFY(rig.link.transfer.readAll());
        QCOMPARE(rig.lock.acquired, before + 3);
        QCOMPARE(rig.lock.released, rig.lock.acquired);

        rig.lock.takenElsewhere = true;
        rig.sim.clearTrace();
        rig.observer.messages.clear();
        QVERIFY(!rig.link.transfer.DownloadParameter());
        QVERIFY(!rig.link.transfer.DefaultParameter());
        QVERIFY(rig.link.transfer.lastLockRefused());
        QVERIFY(rig.sim.trace().empty());
        QCOMPARE(rig.observer.messages.size(), 2);
        QCOMPARE(rig.observer.busyDepth, 0);
        // A command that holds the mouse itself is not refused by its own lock.
        rig.lock.takenElsewhere = false;
        QVERIFY(rig.link.lockKeeper.enter({0x1209, 0x0001}));
        rig.lock.takenElsewhere = true;
        QVERIFY(rig.link.transfer.DownloadParameter());
        rig.link.lockKeeper.leave();
        QCOMPARE(rig.lock.released, rig.lock.acquired);
    }

    void failedReadIsRetriedOnTheNextTick()
    {
        DeviceRig rig;
        rig.sim.failReportNumber(500);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::ReadFailed);
        QVERIFY(!rig.link.transfer.lastReadComplete());
        rig.sim.failReportNumber(100);
        rig.tick(); // no interface came or went
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::ReadFailed);
        QCOMPARE(rig.observer.messages.size(), 1); // one box for failures in a row
        rig.sim.failReportNumber(0);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        QVERIFY(rig.link.transfer.lastReadComplete());
    }

    // The memory file follows the lock: loaded when taken, saved when let
    // go; a second holder waits and is refused.
    void memoryFileFollowsTheLock()
    {
        QTemporaryDir dir;
        SimulatorOptions options;
        options.kind = QStringLiteral("b58");
        options.statePath = dir.filePath("mouse.mem");
        ManualClock clock;
        QString error;
        SimulatorSetup first;
        QVERIFY2(first.start(options, clock, {}, {}, &error), qPrintable(error));
        QVERIFY(first.lock());
        QVERIFY(first.lock()->acquire({}));
        first.simulatedMouse()->writeBytes(0x8000, "changed");
        first.lock()->release();
        QCOMPARE(QFile(options.statePath).size(), 65536);

        SimulatorSetup second;
        QVERIFY(second.start(options, clock, {}, {}, &error));
        QVERIFY(second.lock()->acquire({}));
        QCOMPARE(second.simulatedMouse()->readBytes(0x8000, 7), QByteArray("changed"));
        QVERIFY(!first.lock()->acquire({}));
        QVERIFY(first.problem().isEmpty()); // refused because it is taken, nothing broken
        second.lock()->release();
        QVERIFY(first.finish(&error));
    }

    void memoryFileLinkLoop()
    {
        QTemporaryDir dir;
        SimulatorOptions options;
        options.kind = QStringLiteral("a58");
        options.statePath = dir.filePath("loop");
        QVERIFY(QFile::link(options.statePath, options.statePath));
        ManualClock clock;
        QString error;
        QVERIFY(!SimulatorSetup().start(options, clock, {}, {}, &error));
        QVERIFY(error.contains("symbolic link"));
    }
};

QTEST_GUILESS_MAIN(TestMouseSafety)
#include "test_mouse_safety.moc"
