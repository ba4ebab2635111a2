#include "device_rig.h"

#include <QTest>

Q_DECLARE_METATYPE(ConnectionState)

namespace {
const QString kProbe = QStringLiteral("40 04 00 11 00 01 00 00");
const QString kDataProbe = QStringLiteral("41 00 00 00 00 00 00 00");
const QString kDataRead = QStringLiteral("41 00 00 00 00 00 00 00");

QStringList identificationReports(bool familyB, const QString &idRead)
{
    QStringList reports = {"0:" + kProbe,
                           "0:" + kDataProbe + " !",
                           "1:" + kProbe + " !",
                           "1:" + kDataProbe,
                           "0:40 04 90 E7 00 00 00 00",
                           "0:40 04 90 E4 00 00 00 00",
                           "0:40 16 00 00 00 00 00 00"};
    if (familyB)
        reports << "0:40 04 00 08 00 00 00 00";
    reports << "0:" + idRead;
    return reports;
}
} // namespace

class TestDeviceConnection : public QObject
{
    Q_OBJECT

private slots:
    void identifiesEachFamilyAndLayout_data()
    {
        QTest::addColumn<quint8>("chip");
        QTest::addColumn<quint8>("layout");
        QTest::addColumn<quint8>("mode");
        QTest::addColumn<int>("imageLayout");
        QTest::addColumn<QString>("idRead");
        QTest::addColumn<int>("readAllReports");
        QTest::newRow("B 58") << quint8(0xA0) << quint8(58) << quint8(0x00) << 58
                              << "40 0E 60 57 00 06 00 00" << 4927;
        QTest::newRow("B 58 chip AA mode 8") << quint8(0xAA) << quint8(58) << quint8(0xF8) << 58
                                             << "40 0E 60 57 00 06 00 00" << 4927;
        QTest::newRow("B 42 compares at 0x6057") << quint8(0xA5) << quint8(29) << quint8(0x08) << 42
                                                 << "40 0E 60 57 00 06 00 00" << 4927;
        QTest::newRow("A 58") << quint8(0x50) << quint8(58) << quint8(0x04) << 58
                              << "40 0B 00 57 00 06 00 00" << 2 * 37;
        QTest::newRow("A 42 mode 4") << quint8(0x50) << quint8(29) << quint8(0x04) << 42
                                     << "40 0B 00 53 00 06 00 00" << 2 * 37;
        QTest::newRow("A 42 mode 12") << quint8(0x50) << quint8(29) << quint8(0x0C) << 42
                                      << "40 0B 00 53 00 06 00 00" << 2 * 37;
    }
    void identifiesEachFamilyAndLayout()
    {
        QFETCH(quint8, chip);
        QFETCH(quint8, layout);
        QFETCH(quint8, mode);
        QFETCH(int, imageLayout);
        QFETCH(QString, idRead);
        QFETCH(int, readAllReports);
        DeviceRig rig(mouseConfig(chip, layout, mode));
        // A default image of layout 42 would carry its id bytes at 83-84.
        rig.state().ImageLayoutCode = imageLayout;
        rig.state().ImageIdBytes[0] = 0x12;
        rig.state().ImageIdBytes[1] = 0x34;
        rig.sim.writeBytes(layout == 29 && chip == 0x50 ? 0x6053 : 0x6057, "\x12\x34");

        rig.tick();
        const bool familyB = chip != 0x50;
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        QCOMPARE(sentReports(rig.sim).mid(0, familyB ? 9 : 8),
                 identificationReports(familyB, idRead));
        QCOMPARE(rig.clock.waitedMs(), 2000);
        // Identification: registers, identify, (flash type), id bytes.
        const int identificationReads = familyB ? 5 : 4;
        QCOMPARE(countFetched(rig.sim), identificationReads + readAllReports);
        QCOMPARE(rig.state().ChipFamilyB, familyB);
        QCOMPARE(rig.state().ChipFamilyA, !familyB);
        QCOMPARE(rig.state().ParameterLength, 256);
        QCOMPARE(rig.state().DeviceLayoutCode, layout == 29 ? 42 : 58);
        QCOMPARE(rig.state().LastInterfaceCount, 2);
        QCOMPARE(rig.state().NoDevicePage, false);
        QCOMPARE(rig.state().DevTimerBusy, false);
        QCOMPARE(rig.observer.events,
                 QStringList({"labels:", "busyStarted",
                              familyB ? "showDevicePages:B" : "showDevicePages:A", "busyEnded"}));
        QCOMPARE(rig.observer.progressCalls, readAllReports);
        QCOMPARE(rig.config.image().DataBuf.left(255), rig.sim.readBytes(0x6000, 255));
    }

    void errorStates_data()
    {
        QTest::addColumn<quint8>("chip");
        QTest::addColumn<quint8>("layout");
        QTest::addColumn<quint8>("mode");
        QTest::addColumn<quint8>("signature");
        QTest::addColumn<quint8>("flash");
        QTest::addColumn<bool>("idMatches");
        QTest::addColumn<ConnectionState>("expected");
        QTest::addColumn<bool>("handlesKept");
        QTest::addColumn<QString>("labels");
        using S = ConnectionState;
        QTest::newRow("type error")
            << quint8(0xA0) << quint8(29) << quint8(0) << quint8(0xAF) << quint8(0xC8) << true
            << S::TypeError << false << "labels:TypeError,";
        QTest::newRow("unknown layout byte")
            << quint8(0xA0) << quint8(30) << quint8(0) << quint8(0xAF) << quint8(0xC8) << true
            << S::TypeError << false << "labels:TypeError,";
        QTest::newRow("id error") << quint8(0xA0) << quint8(58) << quint8(0) << quint8(0xAF)
                                  << quint8(0xC8) << false << S::IdError << false
                                  << "labels:IDError,";
        QTest::newRow("id error A")
            << quint8(0x50) << quint8(58) << quint8(4) << quint8(0xAF) << quint8(0xC8) << false
            << S::IdError << false << "labels:IDError,";
        QTest::newRow("signature not AF") << quint8(0xA0) << quint8(58) << quint8(0) << quint8(0xAE)
                                          << quint8(0xC8) << true << S::NotIdentified << true << "";
        QTest::newRow("other chip") << quint8(0x51) << quint8(58) << quint8(0) << quint8(0xAF)
                                    << quint8(0xC8) << true << S::NotIdentified << true << "";
        QTest::newRow("B mode 4") << quint8(0xA0) << quint8(58) << quint8(4) << quint8(0xAF)
                                  << quint8(0xC8) << true << S::NotIdentified << true << "";
        QTest::newRow("B flash 32") << quint8(0xA0) << quint8(58) << quint8(0) << quint8(0xAF)
                                    << quint8(0x9D) << true << S::Dropped << false << "";
        QTest::newRow("B flash unknown") << quint8(0xA5) << quint8(58) << quint8(0) << quint8(0xAF)
                                         << quint8(0x00) << true << S::Dropped << false << "";
        QTest::newRow("A mode 12 layout 58")
            << quint8(0x50) << quint8(58) << quint8(12) << quint8(0xAF) << quint8(0xC8) << true
            << S::Dropped << false << "";
        QTest::newRow("A mode 0") << quint8(0x50) << quint8(58) << quint8(0) << quint8(0xAF)
                                  << quint8(0xC8) << true << S::Dropped << false << "";
    }
    void errorStates()
    {
        QFETCH(quint8, chip);
        QFETCH(quint8, layout);
        QFETCH(quint8, mode);
        QFETCH(quint8, signature);
        QFETCH(quint8, flash);
        QFETCH(bool, idMatches);
        QFETCH(ConnectionState, expected);
        QFETCH(bool, handlesKept);
        QFETCH(QString, labels);
        SimulatedMouseConfig config = mouseConfig(chip, layout, mode);
        config.register90E7 = signature;
        config.flashTypeRegister = flash;
        DeviceRig rig(config);
        if (!idMatches)
            rig.sim.writeBytes(0x6057, "\x01\x02");
        const QByteArray shown = rig.config.image().DataBuf;

        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), expected);
        QCOMPARE(rig.state().deviceOpen(), handlesKept);
        QCOMPARE(rig.sim.openHandleCount(), handlesKept ? 2 : 0);
        QCOMPARE(rig.state().ReadMemory, AppState::Routines::None);
        QCOMPARE(rig.state().ChipFamilyA || rig.state().ChipFamilyB, false);
        const bool error = !labels.isEmpty();
        QCOMPARE(rig.observer.events,
                 error ? QStringList({"mouseRejected", labels}) : QStringList());
        QCOMPARE(rig.state().NoDevicePage, error);
        // Nothing beyond the identification is read, nothing written.
        QCOMPARE(rig.config.image().DataBuf, shown);
        QCOMPARE(countSent(rig.sim, 0x41), 2); // the data probe on both interfaces
        QVERIFY(countFetched(rig.sim) <= 5);
    }

    void identificationReadWithoutDataStaysUnidentified()
    {
        // The default image's id bytes are FF FF, exactly what a lost read leaves.
        DeviceRig rig;
        QCOMPARE(rig.state().ImageIdBytes[0], 0xFF);
        rig.sim.setFailEveryNthGet(5); // the fifth read is the id bytes
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::NotIdentified);
        QCOMPARE(rig.state().ReadMemory, AppState::Routines::None);
    }

    void noMouseFound()
    {
        DeviceRig rig;
        rig.sim.setPlugged(false);
        rig.sim.addPlainInterfaces(3);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::NoDevice);
        QCOMPARE(rig.observer.events, QStringList({"mouseLost", "labels:NoDev,CheckDev,"}));
        QVERIFY(rig.sim.trace().empty());
        QCOMPARE(rig.clock.waitedMs(), 2000);
        QCOMPARE(rig.state().NoDevicePage, true);
        QCOMPARE(rig.state().LastInterfaceCount, 3);
    }

    // No HID interface at all: the count never changes, so nothing is
    // searched, but the first tick says that no mouse is there; later ticks
    // stay quiet until an interface comes.
    void machineWithoutInterfacesShowsNoDeviceWithoutSearching()
    {
        DeviceRig rig;
        rig.sim.setPlugged(false);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::NoDevice);
        const QStringList noDevice{"mouseLost", "labels:NoDev,CheckDev,"};
        QCOMPARE(rig.observer.events, noDevice);
        QCOMPARE(rig.state().NoDevicePage, true);
        rig.tick();
        QCOMPARE(rig.observer.events, noDevice);
        QCOMPARE(rig.clock.waitedMs(), 0);
        QVERIFY(rig.sim.trace().empty());
        rig.sim.setPlugged(true);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
    }

    void unplugAndReplug()
    {
        DeviceRig rig;
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        rig.observer.events.clear();

        rig.sim.setPlugged(false);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::NoDevice);
        QVERIFY(rig.observer.events.contains("mouseLost+macroLists"));
        QCOMPARE(rig.state().ChipFamilyB, false);
        QCOMPARE(rig.state().CommandHandle, kInvalidHandle);
        QCOMPARE(rig.sim.openHandleCount(), 0);

        rig.sim.setPlugged(true);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        QCOMPARE(rig.state().ChipFamilyB, true);

        // Out and in again between two ticks: the count is unchanged, but
        // the old handles are dead, so the mouse is searched and read again
        // on its new interfaces.
        const HidHandle command = rig.state().CommandHandle;
        rig.sim.setPlugged(false);
        rig.sim.setPlugged(true);
        QVERIFY(!rig.sim.isAlive(command));
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        QCOMPARE(countFetched(rig.sim), 5 + 4927);
        QVERIFY(rig.state().CommandHandle != command);
        QVERIFY(rig.sim.isAlive(rig.state().CommandHandle));
        QVERIFY(rig.sim.isAlive(rig.state().DataHandle));
        QCOMPARE(rig.sim.openHandleCount(), 2);

        // Handles that still reach the mouse: nothing is sent.
        rig.tick();
        QVERIFY(sentReports(rig.sim).isEmpty());
    }

    void transferOnDeadHandlesLeavesTheSearchToTheNextTick()
    {
        DeviceRig rig;
        rig.tick();
        rig.sim.setPlugged(false);
        rig.sim.setPlugged(true);
        // The write finds the mouse gone and says so ...
        rig.link.transfer.apply();
        QVERIFY(rig.link.transfer.lastFailedReports() > 0);
        QCOMPARE(rig.sim.eraseCount(), 0);
        // ... and the next tick finds it on its new interfaces.
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        rig.link.transfer.apply();
        QCOMPARE(rig.link.transfer.lastFailedReports(), 0u);
        QVERIFY(rig.sim.eraseCount() > 0);
    }

    void anotherDeviceRereadsTheMouse()
    {
        DeviceRig rig;
        rig.tick();
        rig.config.sections().FireKey[0] = 0x07; // an edit not yet applied
        rig.sim.addPlainInterfaces(1);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        QCOMPARE(countFetched(rig.sim), 5 + 4927);
        QCOMPARE(rig.config.sections().FireKey.at(0), rig.sim.readBytes(0x6000 + 93, 1).at(0));
    }

    void flappingCount_data()
    {
        // Interface counts returned by the ten samples of one tick.
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<bool>("searches");
        QTest::newRow("never equal") << QList<int>{2, 3, 2, 3, 2, 3, 2, 3, 2, 3} << false;
        QTest::newRow("one equal pair") << QList<int>{2, 2, 3, 2, 3, 2, 3, 2, 3, 2} << false;
        QTest::newRow("two equal pairs") << QList<int>{2, 2, 3, 2, 3, 2, 3, 2, 3, 3} << true;
        QTest::newRow("settled") << QList<int>{2, 2, 2, 2, 2, 2, 2, 2, 2, 2} << true;
        QTest::newRow("fifth sample is the old count")
            << QList<int>{3, 3, 3, 3, 3, 3, 3, 3, 0, 0} << false;
    }
    void flappingCount()
    {
        QFETCH(QList<int>, counts);
        QFETCH(bool, searches);
        DeviceRig rig;
        int call = 0;
        // Plain interfaces come and go around the mouse's two.
        rig.sim.setEnumerationHook([&] {
            const int wanted = counts.value(call++, counts.last());
            while (rig.sim.interfaceCount() < wanted)
                rig.sim.addPlainInterfaces(1);
            if (wanted < 2) {
                rig.sim.setPlugged(false);
                rig.sim.removePlainInterfaces(rig.sim.interfaceCount());
            } else {
                rig.sim.setPlugged(true);
                rig.sim.removePlainInterfaces(rig.sim.interfaceCount() - wanted);
            }
        });
        rig.tick();
        QCOMPARE(call >= 10, true);
        QCOMPARE(rig.clock.waitedMs(), searches ? 2000 : 0);
        QCOMPARE(rig.state().LastInterfaceCount, searches ? counts.at(8) : 0);
    }

    void busyTickDoesNothing()
    {
        DeviceRig rig;
        int enumerations = 0;
        rig.sim.setEnumerationHook([&] { ++enumerations; });
        rig.state().DevTimerBusy = true;
        rig.link.connection.DevTimerTimer();
        QCOMPARE(enumerations, 0);

        // A timer message let through by the read-all's message processing.
        rig.state().DevTimerBusy = false;
        struct Reentering : RecordingObserver
        {
            DeviceConnection *connection = nullptr;
            void transferProgress(int, int) override { connection->DevTimerTimer(); }
        } observer;
        observer.connection = &rig.link.connection;
        rig.link.setObserver(&observer);
        rig.tick();
        QCOMPARE(enumerations, 10 + 1); // ten samples, one search
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
    }

    void twoMiceWithTheSameIds()
    {
        DeviceRig rig;
        const int second = rig.sim.addMouse(SimulatedMouseConfig{});
        rig.sim.placeImage(defaultImage(), second);
        rig.sim.writeBytes(0x6000 + 110, QByteArray(4, char(0x01)), second);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        const auto &trace = rig.sim.trace();
        QCOMPARE(trace.back().interfaceIndex, rig.sim.mouseInterface(second, 1));
        QCOMPARE(rig.config.image().DataBuf.mid(110, 4), QByteArray(4, char(0x01)));
    }
};

QTEST_GUILESS_MAIN(TestDeviceConnection)
#include "test_device_connection.moc"
