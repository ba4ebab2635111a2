#include "device_rig.h"

#include <QTest>

namespace {
QString command(quint8 code, quint32 address, quint32 length)
{
    const HidReport report = {0x40,
                              code,
                              quint8(code == 0x09 || code == 0x0B ? 0 : address >> 8),
                              quint8(address),
                              quint8(length >> 8),
                              quint8(length),
                              0,
                              0};
    return reportHex(report);
}

// The family-B write order after the parameter block.
QStringList familyBPieces(quint8 code)
{
    QStringList commands;
    for (int k = 0; k < 4; ++k)
        commands << command(code, 0x6400 + 0x100 * k, 256);
    for (int i = 0; i < 32; ++i)
        for (int k = 0; k < 4; ++k)
            commands << command(code, 0x8000 + 0x400 * i + 0x100 * k, 256);
    commands << command(code, 0x7000, 5) << command(code, 0x7005, 4);
    return commands;
}

QStringList eraseCommands()
{
    QStringList commands;
    for (int region = 0x60; region <= 0xF0; region += 0x10)
        commands << command(0x11, quint32(region) << 8, 0);
    return commands;
}

// Every command of a whole family-B write, from the erase to the reload.
QStringList familyBWriteCommands()
{
    return eraseCommands() + QStringList{command(0x12, 0x6000, 256)} + familyBPieces(0x12) +
           QStringList{reportHex({0x40, 0x19, 0, 0, 0, 0, 0, 0})};
}

// A connected mouse whose stored data differs from the default image where
// it is safe to (macro blocks, names, the two short areas).
struct ConnectedRig : DeviceRig
{
    explicit ConnectedRig(const SimulatedMouseConfig &mouse = {}) : DeviceRig(mouse)
    {
        for (int i = 0; i < 32; ++i)
            sim.writeBytes(quint16(0x8000 + 0x400 * i), QByteArray(1024, char(i)));
        sim.writeBytes(0x6400, QByteArray(1024, char(0x5A)));
        sim.writeBytes(0x7000, QByteArray("\x01\x01\x01\x03\x5F", 5));
        sim.writeBytes(0x7005, QByteArray("\x10\x20\x30\x0A", 4));
        tick();
        sim.clearTrace();
        observer.events.clear();
        observer.progressCalls = 0;
    }
};
} // namespace

class TestConfigurationTransfer : public QObject
{
    Q_OBJECT

private slots:
    void readAllFamilyB()
    {
        ConnectedRig rig;
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        rig.link.transfer.readAll();
        QStringList expected = {command(0x0E, 0x6000, 256)};
        for (int i = 0; i < 32; ++i)
            expected << command(0x0E, 0x8000 + 0x400 * i, 1024);
        // The parameter block again, last: it is taken only when both agree.
        expected << command(0x0E, 0x6400, 1024) << command(0x0E, 0x7000, 5)
                 << command(0x0E, 0x7005, 4) << command(0x0E, 0x6000, 256);
        QCOMPARE(sentCommands(rig.sim), expected);
        QCOMPARE(countFetched(rig.sim), 4890 + 37);
        QCOMPARE(rig.config.image().MacroBlocks, rig.sim.readBytes(0x8000, 32 * 1024));
        QCOMPARE(rig.config.image().MacroNameTable, QByteArray(1024, char(0x5A)));
        QCOMPARE(rig.config.sections().ParameterB, QByteArray("\x01\x01\x01\x03\x5F", 5));
        QCOMPARE(rig.config.sections().UserBreath, QByteArray("\x10\x20\x30\x0A", 4));
        QVERIFY(rig.observer.messages.isEmpty());
        QVERIFY(rig.link.transfer.lastReadComplete());
    }

    void writeAllFamilyB()
    {
        ConnectedRig rig;
        rig.link.transfer.apply();
        QCOMPARE(sentCommands(rig.sim), familyBWriteCommands());
        QCOMPARE(countSent(rig.sim, 0x41), 4923);
        QCOMPARE(rig.observer.progressCalls, 4923);
        QCOMPARE(rig.link.transfer.lastFailedReports(), 0u);
        QCOMPARE(rig.observer.events.first(), "pressed:1");
        QCOMPARE(rig.observer.events.count("busyStarted"), 1);
        QCOMPARE(rig.observer.events.last(), "busyEnded");
        QVERIFY(rig.observer.messages.isEmpty());
        // What the mouse now holds is what the window had.
        QCOMPARE(rig.sim.readBytes(0x6000, 256), rig.config.image().DataBuf);
        QCOMPARE(rig.sim.readBytes(0x8000, 32 * 1024), rig.config.image().MacroBlocks);
        QCOMPARE(rig.sim.readBytes(0x7000, 5), rig.config.sections().ParameterB);
        QCOMPARE(rig.sim.reloadCount(), 1);
        QCOMPARE(quint8(rig.config.image().DataBuf.at(255)), 0xFF);
    }

    void writeAllFamilyA_data()
    {
        QTest::addColumn<bool>("changeRate");
        QTest::addColumn<QStringList>("reload");
        QTest::newRow("same rate") << false << QStringList{"40 19 00 00 00 00 00 00"};
        QTest::newRow("rate changed")
            << true << QStringList{"40 03 00 01 00 00 00 00", "40 18 00 00 00 00 00 00"};
    }
    void writeAllFamilyA()
    {
        QFETCH(bool, changeRate);
        QFETCH(QStringList, reload);
        ConnectedRig rig(mouseConfig(0x50, 58, 0x04));
        QCOMPARE(rig.state().ChipFamilyA, true);
        if (changeRate)
            QVERIFY(rig.config.advancedPage().setReportRate(1));
        rig.link.transfer.apply();
        QCOMPARE(sentCommands(rig.sim), QStringList{command(0x09, 0x6000, 256)} + reload);
        QCOMPARE(countSent(rig.sim, 0x41), 37);
        QCOMPARE(rig.state().ReportRateChanged, false);
        QCOMPARE(rig.sim.readBytes(0x6000, 256), rig.config.image().DataBuf);
        QCOMPARE(quint8(rig.sim.readBytes(0x6000 + 28, 1).at(0)), changeRate ? 1 : 2);
    }

    void resetFamilyBKeepsItsShortSections()
    {
        ConnectedRig rig;
        const QByteArray image = defaultImage();
        rig.link.transfer.reset();
        QCOMPARE(sentCommands(rig.sim), familyBWriteCommands());
        QCOMPARE(countSent(rig.sim, 0x41), 4923);
        QCOMPARE(rig.sim.readBytes(0x6000, 256), image.left(256));
        QCOMPARE(rig.sim.readBytes(0x6400, 1024), image.mid(256, 1024));
        QCOMPARE(rig.sim.readBytes(0x8000, 32 * 1024), image.mid(1280));
        QCOMPARE(rig.sim.readBytes(0x7000, 5), QByteArray("\x01\x01\x01\x03\x5F", 5));
        QCOMPARE(rig.sim.readBytes(0x7005, 4), QByteArray("\x10\x20\x30\x0A", 4));
        QCOMPARE(rig.config.image().MacroBlocks, image.mid(1280));
        QVERIFY(rig.observer.events.contains("clearMacroEditor"));
        QVERIFY(rig.observer.messages.isEmpty());
    }

    void writeWithoutUsableDevice_data()
    {
        QTest::addColumn<int>("button"); // 0 confirm, 1 apply, 2 reset
        QTest::addColumn<bool>("handles");
        QTest::newRow("confirm, no device") << 0 << false;
        QTest::newRow("apply, no device") << 1 << false;
        QTest::newRow("reset, no device") << 2 << false;
        QTest::newRow("confirm, not identified") << 0 << true;
        QTest::newRow("apply, not identified") << 1 << true;
        QTest::newRow("reset, not identified") << 2 << true;
    }
    void writeWithoutUsableDevice()
    {
        QFETCH(int, button);
        QFETCH(bool, handles);
        ConnectedRig rig;
        if (handles) {
            // An unknown mouse replaces the identified one: handles, no routines.
            rig.sim.config().register90E7 = 0;
            rig.sim.addPlainInterfaces(1);
            rig.tick();
            QCOMPARE(rig.link.connection.connectionState(), ConnectionState::NotIdentified);
            QVERIFY(rig.state().deviceOpen());
        } else {
            rig.sim.setPlugged(false);
            rig.tick();
        }
        rig.sim.clearTrace();
        rig.observer.events.clear();
        ConfigurationTransfer &transfer = rig.link.transfer;
        if (button == 0)
            transfer.confirm();
        else if (button == 1)
            transfer.apply();
        else
            transfer.reset();
        QCOMPARE(rig.observer.events, QStringList({QStringLiteral("pressed:%1").arg(button),
                                                   QStringLiteral("message")}));
        QCOMPARE(rig.observer.messages, QStringList{"The specified device not find"});
        QVERIFY(rig.sim.trace().empty());
    }

    void confirmWritesThenCloses()
    {
        ConnectedRig rig;
        rig.link.transfer.confirm();
        QCOMPARE(rig.observer.events.last(), "close");
        QCOMPARE(rig.sim.reloadCount(), 1);
    }

    void unplugDuringWrite_data()
    {
        QTest::addColumn<bool>("reset");
        QTest::addColumn<int>("after");
        for (int after : {0, 1, 9, 10, 11, 30, 48, 49, 200, 2500, 4930, 4932, 4933, 4934}) {
            QTest::addRow("write, %d reports", after) << false << after;
            QTest::addRow("reset, %d reports", after) << true << after;
        }
    }
    void unplugDuringWrite()
    {
        QFETCH(bool, reset);
        QFETCH(int, after);
        ConnectedRig rig;
        rig.sim.unplugAfterReports(after);
        ConfigurationTransfer &transfer = rig.link.transfer;
        const bool ok = reset ? transfer.DefaultParameter() : transfer.DownloadParameter();
        // 10 erases, 4923 data reports, 135 write commands and the reload.
        const bool complete = after >= 10 + 4923 + 135 + 1;
        QCOMPARE(ok, complete);
        QCOMPARE(transfer.busy(), false);
        QCOMPARE(rig.observer.busyDepth, 0);
        QCOMPARE(rig.observer.messages.size(), complete ? 0 : 1);
        QVERIFY(transfer.lastFailedReports() > 0);
        QVERIFY(
            rig.observer.messages.first().contains(QString::number(transfer.lastFailedReports())));
        // The failure is announced once, with the kind and the reports lost.
        const TransferKind kind = reset ? TransferKind::Reset : TransferKind::WriteAll;
        QCOMPARE(rig.observer.failures, QStringList{QStringLiteral("%1:%2").arg(int(kind)).arg(
                                            transfer.lastFailedReports())});
    }

    void unplugDuringRead_data()
    {
        QTest::addColumn<int>("after");
        QTest::newRow("before the command") << 0;
        QTest::newRow("in the parameter block") << 20;
        QTest::newRow("last parameter report") << 37;
        QTest::newRow("first macro block") << 100;
        QTest::newRow("name table") << 4800;
        QTest::newRow("UserBreath") << 4925;
        QTest::newRow("second parameter block read") << 4940;
    }
    void unplugDuringRead()
    {
        QFETCH(int, after);
        ConnectedRig rig;
        // Fresh mouse data, so anything that reached the window would show.
        rig.sim.writeBytes(0x8000, QByteArray(1024, char(0x77)));
        rig.sim.writeBytes(0x8000 + 0x400 * 31, QByteArray(1024, char(0x66)));
        const ImageBuffers imageBefore = rig.config.image();
        const SectionRecords sectionsBefore = rig.config.sections();
        rig.sim.unplugAfterReports(after);
        ConfigurationTransfer &transfer = rig.link.transfer;
        QVERIFY(!transfer.readAll());
        QCOMPARE(transfer.busy(), false);
        QCOMPARE(rig.observer.busyDepth, 0);
        QCOMPARE(rig.observer.messages.size(), 1);
        QVERIFY(!transfer.lastReadComplete());
        QCOMPARE(rig.observer.failures, QStringList{QStringLiteral("%1:%2")
                                                        .arg(int(TransferKind::ReadAll))
                                                        .arg(transfer.lastFailedReports())});
        QVERIFY(!rig.observer.events.contains("showDevicePages:B"));
        QVERIFY(sameImage(rig.config.image(), imageBefore));
        QVERIFY(sameSections(rig.config.sections(), sectionsBefore));
    }

    // A lost report anywhere in a family-B read-all (parameter block, each
    // macro block, name table, both short sections) fails it, changes no
    // buffer, and no write-all may follow from it.
    void everyLostReportFailsTheReadAll()
    {
        ConnectedRig rig;
        rig.sim.writeBytes(0x8000 + 0x400 * 5, QByteArray(1024, char(0x55)));
        rig.sim.writeBytes(0x7005, QByteArray("\x11\x22\x33\x0C", 4));
        const ImageBuffers imageBefore = rig.config.image();
        const SectionRecords sectionsBefore = rig.config.sections();
        ConfigurationTransfer &transfer = rig.link.transfer;
        const QString refused = transfer.messageText(DeviceMessage::Id::NotReadCompletely);
        // 37 commands and 4927 data reads.
        for (int lost = 1; lost <= 4964; ++lost) {
            rig.sim.failReportNumber(lost);
            rig.observer.messages.clear();
            if (transfer.readAll() || transfer.lastReadComplete())
                QFAIL(qPrintable(QStringLiteral("report %1 was lost unnoticed").arg(lost)));
            if (!sameImage(rig.config.image(), imageBefore) ||
                !sameSections(rig.config.sections(), sectionsBefore))
                QFAIL(qPrintable(QStringLiteral("report %1 lost, buffers changed").arg(lost)));
            rig.sim.clearTrace();
            if (transfer.DownloadParameter() || !rig.sim.trace().empty() ||
                rig.observer.messages.constLast() != refused)
                QFAIL(qPrintable(QStringLiteral("report %1 lost, a write followed").arg(lost)));
        }
        rig.sim.failReportNumber(0);
        QVERIFY(transfer.readAll());
        QCOMPARE(rig.config.image().MacroBlocks.mid(5 * 1024, 1024), QByteArray(1024, char(0x55)));
        QCOMPARE(rig.config.sections().UserBreath, QByteArray("\x11\x22\x33\x0C", 4));
        QVERIFY(transfer.DownloadParameter());
    }

    // Confirm and Apply wait for a complete read of the mouse; Reset does not.
    void writeButtonsAfterAFailedRead()
    {
        ConnectedRig rig;
        rig.sim.failReportNumber(200);
        QVERIFY(!rig.link.transfer.readAll());
        rig.observer.events.clear();
        rig.observer.messages.clear();
        rig.sim.clearTrace();
        rig.link.transfer.confirm();
        rig.link.transfer.apply();
        QVERIFY(rig.sim.trace().empty());
        QVERIFY(!rig.observer.events.contains("close"));
        const QString refused = rig.link.transfer.messageText(DeviceMessage::Id::NotReadCompletely);
        QCOMPARE(rig.observer.messages, QStringList({refused, refused}));
        rig.link.transfer.reset();
        QCOMPARE(rig.sim.reloadCount(), 1);
        QCOMPARE(rig.sim.readBytes(0x6000, 256), defaultImage().left(256));
    }

    void lostRepliesKeepTheShownConfiguration()
    {
        ConnectedRig rig;
        rig.config.sections().FireKey[1] = 0x13; // shown, but not what the mouse has
        const SectionRecords before = rig.config.sections();
        const QByteArray dataBuf = rig.config.image().DataBuf;
        rig.sim.setFailEveryNthGet(30);
        QVERIFY(!rig.link.transfer.readAll());
        QCOMPARE(rig.config.sections().FireKey, before.FireKey);
        QCOMPARE(rig.config.sections().Profile, before.Profile);
        QCOMPARE(rig.config.image().DataBuf, dataBuf);
        QCOMPARE(rig.link.transfer.lastFailedReports(), 1u);
        QVERIFY(rig.observer.messages.first().contains(QLatin1String("1")));
    }

    // The report count each transfer announces is the number of data reports
    // the mouse really receives or answers for it, for both families.
    void announcedReportCountsMatchTheMouse_data()
    {
        QTest::addColumn<bool>("familyB");
        QTest::addColumn<QString>("action");
        for (const bool familyB : {false, true}) {
            for (const char *action : {"read", "confirm", "apply", "reset", "restore"})
                QTest::addRow("%s, family %s", action, familyB ? "B" : "A")
                    << familyB << QString::fromLatin1(action);
        }
    }
    void announcedReportCountsMatchTheMouse()
    {
        QFETCH(bool, familyB);
        QFETCH(QString, action);
        ConnectedRig rig(familyB ? SimulatedMouseConfig{} : mouseConfig(0x50, 58, 0x04));
        QCOMPARE(rig.state().ChipFamilyB, familyB);
        ConfigurationTransfer &transfer = rig.link.transfer;
        TransferKind kind = TransferKind::WriteAll;
        if (action == QLatin1String("read")) {
            kind = TransferKind::ReadAll;
            QVERIFY(transfer.readAll());
        } else if (action == QLatin1String("confirm")) {
            transfer.confirm();
        } else if (action == QLatin1String("apply")) {
            transfer.apply();
        } else if (action == QLatin1String("reset")) {
            kind = TransferKind::Reset;
            transfer.reset();
        } else {
            kind = TransferKind::Restore;
            QVERIFY(transfer.restoreImage(defaultImage()));
        }
        QCOMPARE(rig.observer.events.count("busyStarted"), 1);
        QCOMPARE(rig.observer.lastKind, kind);
        const int received = countSent(rig.sim, kDataReportId) + countFetched(rig.sim);
        QVERIFY(received > 0);
        QCOMPARE(rig.observer.announcedReports, received);
        QCOMPARE(transfer.reportCount(kind), received);
        QCOMPARE(rig.observer.progressCalls, received);
    }

    void garbageRepliesEndCleanly()
    {
        ConnectedRig rig;
        rig.sim.setGarbageReplies(true);
        QVERIFY(!rig.link.transfer.readAll());
        QCOMPARE(rig.link.transfer.busy(), false);
        QCOMPARE(rig.observer.busyDepth, 0);
        rig.sim.setGarbageReplies(false);
        QVERIFY(!rig.link.transfer.DownloadParameter()); // nothing trusted was read
        QVERIFY(rig.link.transfer.readAll());
        QVERIFY(rig.link.transfer.DownloadParameter());
    }
};

QTEST_GUILESS_MAIN(TestConfigurationTransfer)
#include "test_configuration_transfer.moc"
