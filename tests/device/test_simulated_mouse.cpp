#include "device/command_protocol.h"
#include "device/simulated_mouse.h"
#include "device_test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Link
{
    explicit Link(const SimulatedMouseConfig &config = {}) : sim(config)
    {
        transport.OpenMouse(0x1209, 0x0001);
        sim.clearTrace();
    }
    SimulatedMouse sim;
    AppState state;
    HidTransport transport{sim, state};
    CommandProtocol protocol{transport, state};
};
} // namespace

class TestSimulatedMouse : public QObject
{
    Q_OBJECT

private slots:
    void memoryFileRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mouse.mem"));
        SimulatedMouse sim;
        QVERIFY(sim.placeImage(defaultImage()));
        QVERIFY(sim.saveMemoryFile(path));
        SimulatedMouse other;
        QVERIFY(other.loadMemoryFile(path));
        QCOMPARE(other.memoryBytes(), sim.memoryBytes());

        // Files of the wrong size leave the memory alone.
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("x");
        file.close();
        SimulatedMouse third;
        const QByteArray before = third.memoryBytes();
        QVERIFY(!third.loadMemoryFile(path));
        QVERIFY(!third.loadMemoryFile(dir.filePath(QStringLiteral("missing"))));
        QVERIFY(!third.setMemory(QByteArray(100, '\0')));
        QCOMPARE(third.memoryBytes(), before);
    }

    void imageLiesAtTheMemoryMap()
    {
        const QByteArray image = defaultImage();
        QCOMPARE(image.size(), 34048);
        SimulatedMouse sim;
        QVERIFY(sim.placeImage(image));
        QVERIFY(!sim.placeImage(image.left(1000)));
        QCOMPARE(sim.readBytes(0x6000, 256), image.left(256));
        QCOMPARE(sim.readBytes(0x6400, 1024), image.mid(256, 1024));
        QCOMPARE(sim.readBytes(0x8000 + 31 * 0x400, 1024), image.mid(1280 + 31 * 1024, 1024));
        QCOMPARE(sim.readBytes(0x7000, 5), image.mid(27, 5));
        QCOMPARE(sim.readBytes(0x7005, 4), image.mid(32, 4)); // layout 58
        QCOMPARE(sim.readBytes(0x6057, 2), image.mid(87, 2));
    }

    void familyBFlashNeedsErase()
    {
        Link link;
        link.sim.writeBytes(0x6400, QByteArray("\x0F\xF0", 2));
        const std::array<quint8, 2> data = {0xF3, 0x3F};
        QVERIFY(link.protocol.WriteMemory16(0x6400, 2, data));
        QCOMPARE(link.sim.readBytes(0x6400, 2), QByteArray("\x03\x30", 2));
        link.protocol.erase(0x64);
        QCOMPARE(link.sim.eraseCount(), 1);
        QVERIFY(link.protocol.WriteMemory16(0x6400, 2, data));
        QCOMPARE(link.sim.readBytes(0x6400, 2), QByteArray("\xF3\x3F", 2));
    }

    void unplugAfterReports()
    {
        Link link;
        link.sim.unplugAfterReports(3);
        std::array<quint8, 21> buffer{};
        // Command and two data reports get through, the third vanishes.
        QVERIFY(link.protocol.ReadMemory16(0x6000, 21, buffer));
        QCOMPARE(link.protocol.failedReports(), 1u);
        QVERIFY(!link.sim.isPlugged());
        QCOMPARE(link.sim.interfaceCount(), 0);
        QVERIFY(!link.protocol.readRegister(0x90E7));
        QVERIFY(link.sim.enumerateInterfaces().isEmpty());
    }

    void garbageAndLatency()
    {
        Link link;
        ManualClock clock;
        link.sim.setLatency(&clock, 4);
        link.sim.setGarbageReplies(true);
        std::array<quint8, 70> buffer{};
        QVERIFY(link.protocol.ReadMemory16(0x6000, 70, buffer));
        QCOMPARE(clock.waitedMs(), 11 * 4);
        QVERIFY(QByteArray(reinterpret_cast<const char *>(buffer.data()), 70) !=
                link.sim.readBytes(0x6000, 70));
        QCOMPARE(link.protocol.failedReports(), 0u);
    }
};

QTEST_GUILESS_MAIN(TestSimulatedMouse)
#include "test_simulated_mouse.moc"
