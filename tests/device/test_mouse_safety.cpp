#include "device/mouse_identity.h"
#include "device/simulator_setup.h"
#include "device_rig.h"
#include "image/section_checks.h"

#include <QCommandLineParser>
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

// A profile image whose identity bytes are foreign but whose ParameterA is
// valid, so a load takes them as they are.
QByteArray foreignIdentityImage()
{
    QByteArray image = defaultImage();
    const char foreign[] = {0x1D, 0x04, 0x6D, char(0xC0), 0x77};
    for (int i = 0; i < 5; ++i)
        image[1 + i] = foreign[i];
    image[87] = 0x12;
    image[88] = 0x34;
    SectionChecksum(image, kParameterADataBytes);
    return image;
}

std::optional<SimulatorOptions> parse(const QStringList &args, QString *error)
{
    QCommandLineParser parser;
    SimulatorSetup::addOptions(parser);
    if (!parser.parse(QStringList{"prog"} + args)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    return SimulatorSetup::optionsFrom(parser, error);
}

} // namespace

// Locking, the retried read and the mouse's identity across writes, and the
// simulator set-up both programs share.
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
        const QString inUse = rig.link.transfer.messageText(QStringLiteral("Str029"));
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
        QVERIFY(rig.link.transfer.Btn_Read());
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
        rig.tick(); // no interface came or went
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        QVERIFY(rig.link.transfer.lastReadComplete());
    }

    void writesKeepTheMouseIdentity_data()
    {
        QTest::addColumn<bool>("reset");
        QTest::newRow("write-all") << false;
        QTest::newRow("reset") << true;
    }
    void writesKeepTheMouseIdentity()
    {
        QFETCH(bool, reset);
        DeviceRig rig;
        rig.tick();
        const QByteArray identity = rig.sim.readBytes(0x6001, 5) + rig.sim.readBytes(0x6057, 2);
        QTemporaryDir dir;
        const QString file = dir.filePath("foreign.bin");
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(foreignIdentityImage());
        out.close();
        QVERIFY(rig.config.loadProfile(file).ok());
        QVERIFY(reset ? rig.link.transfer.DefaultParameter()
                      : rig.link.transfer.DownloadParameter());
        QCOMPARE(rig.sim.readBytes(0x6001, 5) + rig.sim.readBytes(0x6057, 2), identity);
        QVERIFY(sectionChecksumValid(rig.sim.readBytes(0x6000, 27), kParameterADataBytes));

        // Found, identified and read again afterwards.
        rig.sim.addPlainInterfaces(1);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
    }

    void identityBytesOfEachLayout()
    {
        QByteArray mouse(256, char(0x11));
        QByteArray block(256, char(0x22));
        keepMouseIdentity(block, mouse, 42);
        QCOMPARE(block.mid(1, 5), QByteArray(5, char(0x11)));
        QCOMPARE(block.mid(83, 2), QByteArray(2, char(0x11)));
        QCOMPARE(block.mid(87, 2), QByteArray(2, char(0x22)));
        QCOMPARE(block.at(0), char(0x22));
        QVERIFY(sectionChecksumValid(block, kParameterADataBytes));

        QByteArray short_(100, char(0x22));
        keepMouseIdentity(short_, mouse, 58);
        QCOMPARE(short_, QByteArray(100, char(0x22)));
    }

    void simulatorOptions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error"); // empty: accepted
        QTest::newRow("none") << QStringList{} << "";
        QTest::newRow("all") << QStringList{"--simulate",        "b58", "--sim-state",        "m",
                                            "--trace",           "t",   "--sim-unplug-after", "0",
                                            "--sim-fail-report", "7",   "--sim-latency",      "3"}
                             << "";
        QTest::newRow("empty state")
            << QStringList{"--simulate", "b58", "--sim-state", ""} << "--sim-state";
        QTest::newRow("empty trace") << QStringList{"--trace", ""} << "--trace";
        QTest::newRow("empty kind") << QStringList{"--simulate", ""} << "--simulate";
        QTest::newRow("bad kind") << QStringList{"--simulate", "b59"} << "b59";
        QTest::newRow("fault without simulator")
            << QStringList{"--sim-fail-report", "3"} << "--simulate";
        QTest::newRow("report 0") << QStringList{"--simulate", "a58", "--sim-fail-report", "0"}
                                  << "--sim-fail-report";
        QTest::newRow("negative unplug")
            << QStringList{"--simulate", "a58", "--sim-unplug-after", "-1"} << "-1";
        QTest::newRow("latency too long")
            << QStringList{"--simulate", "a58", "--sim-latency", "10001"} << "10001";
        QTest::newRow("latency not a number")
            << QStringList{"--simulate", "a58", "--sim-latency", "5ms"} << "5ms";
    }
    void simulatorOptions()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        QString message;
        const std::optional<SimulatorOptions> options = parse(args, &message);
        QCOMPARE(options.has_value(), error.isEmpty());
        if (!options) {
            QVERIFY2(message.contains(error), qPrintable(message));
            QVERIFY(!message.contains('\n'));
        } else if (!args.isEmpty()) {
            QCOMPARE(options->unplugAfter, 0);
            QCOMPARE(options->failReport, 7);
            QCOMPARE(options->latencyMs, 3);
            QCOMPARE(options->statePath, "m");
        }
    }

    // The memory file follows the lock: loaded when taken, saved when let
    // go; a second holder waits and is refused.
    void memoryFileFollowsTheLock()
    {
        QTemporaryDir dir;
        SimulatorOptions options;
        options.kind = QStringLiteral("b58");
        options.statePath = dir.filePath("mouse.mem");
        options.latencyMs = 4;
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

        // Latency goes through the clock; faults reach the mouse.
        HidBackend &backend = second.backend();
        const HidHandle handle = backend.open(backend.enumerateInterfaces().first());
        HidReport probe = {0x40, 0x04, 0x90, 0xE7, 0, 0, 0, 0};
        QVERIFY(backend.setFeature(handle, probe));
        QCOMPARE(clock.waitedMs(), 4);
    }

    void unusableMemoryFiles()
    {
        QTemporaryDir dir;
        SimulatorOptions options;
        options.kind = QStringLiteral("a58");
        ManualClock clock;
        QString error;
        options.statePath = dir.path();
        QVERIFY(!SimulatorSetup().start(options, clock, {}, {}, &error));
        QVERIFY(error.contains("not a regular file"));
        options.statePath = dir.filePath("loop");
        QVERIFY(QFile::link(options.statePath, options.statePath));
        QVERIFY(!SimulatorSetup().start(options, clock, {}, {}, &error));
        QVERIFY(error.contains("symbolic link"));
        options.statePath = dir.filePath("short.mem");
        QFile shortFile(options.statePath);
        QVERIFY(shortFile.open(QIODevice::WriteOnly));
        shortFile.write("abc");
        shortFile.close();
        QVERIFY(!SimulatorSetup().start(options, clock, {}, {}, &error));
        QVERIFY(error.contains("65536"));
        // Without a memory file nothing needs locking; real HID comes from the caller.
        options.statePath.clear();
        SimulatorSetup plain;
        QVERIFY(plain.start(options, clock, {}, {}, &error));
        QVERIFY(!plain.lock());
        options.kind.clear();
        QVERIFY(!SimulatorSetup().start(options, clock, {}, {}, &error));
    }
};

QTEST_GUILESS_MAIN(TestMouseSafety)
#include "test_mouse_safety.moc"
