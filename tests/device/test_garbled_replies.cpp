#include "device_rig.h"

#include <QTest>

namespace {

// Reports of a read-all of the parameter block alone: the command and 37
// data reads.
constexpr int kBlockReports = 1 + 37;
} // namespace

// Replies that keep their report id but carry random payload bytes. The
// protocol has no check of its own, so the read-all's (the parameter block
// read twice, and its identification bytes) must keep such a configuration
// out of the buffers, and nothing may be written from it.
class TestGarbledReplies : public QObject
{
    Q_OBJECT

private slots:
    void garbledParameterBlockFailsTheReadAll_data()
    {
        QTest::addColumn<quint8>("chip");
        QTest::newRow("family A") << quint8(0x50);
        QTest::newRow("family B") << quint8(0xA0);
    }
    void garbledParameterBlockFailsTheReadAll()
    {
        QFETCH(quint8, chip);
        // Every report of both reads of the block, counted from the read-all's
        // first report; for family B also where the macro area starts. Its
        // read-all: the block, 32 macro blocks, the name table, the two short
        // sections, then the block again.
        const int readAll = 2 * kBlockReports + (chip == 0x50 ? 0 : 33 * (1 + 147) + 2 * 2);
        QList<int> positions;
        for (int n = 1; n <= readAll; ++n)
            if (n <= kBlockReports + 2 || n > readAll - kBlockReports)
                positions << n;
        DeviceRig rig(mouseConfig(chip, 58, chip == 0x50 ? 0x04 : 0x00));
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        ConfigurationTransfer &transfer = rig.link.transfer;
        const ImageBuffers image = rig.config.image();
        const SectionRecords sections = rig.config.sections();
        const QByteArray memory = rig.sim.memoryBytes();
        const QString inconsistent = transfer.messageText(DeviceMessage::Id::ReadInconsistent);
        const QString notRead = transfer.messageText(DeviceMessage::Id::NotReadCompletely);
        for (int from : positions) {
            const QByteArray where = QByteArray::number(from);
            rig.sim.garbleRepliesFrom(from);
            rig.observer.messages.clear();
            // Answered, but not trusted; failures in a row are said once.
            QVERIFY2(!transfer.readAll() && !transfer.lastReadComplete() &&
                         transfer.lastFailedReports() == 0,
                     where);
            QVERIFY2(sameImage(rig.config.image(), image) &&
                         sameSections(rig.config.sections(), sections),
                     where);
            QVERIFY2(rig.observer.messages ==
                         (from == positions.first() ? QStringList{inconsistent} : QStringList{}),
                     where);
            rig.sim.garbleRepliesFrom(0);
            rig.sim.clearTrace();
            QVERIFY2(!transfer.DownloadParameter() && rig.sim.trace().empty() &&
                         rig.sim.memoryBytes() == memory &&
                         rig.observer.messages.constLast() == notRead,
                     where);
        }

        // Both reads agree but lack the identified bytes (the mouse changed in
        // between, or garbles the same way twice): not taken either.
        const QByteArray idBytes = rig.sim.readBytes(0x6057, 2);
        rig.sim.writeBytes(0x6057, QByteArray(2, char(0x5A)));
        QVERIFY(!transfer.readAll() && sameImage(rig.config.image(), image));
        rig.sim.writeBytes(0x6057, idBytes);

        // A clean read afterwards is trusted and written back unharmed, and
        // the mouse is still identified.
        QVERIFY(transfer.readAll() && transfer.DownloadParameter());
        QCOMPARE(rig.sim.readBytes(0x6000, 256), rig.config.image().DataBuf);
        rig.sim.addPlainInterfaces(1);
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
    }

    // A family-B mouse of layout 42 is identified by block bytes 87-88,
    // which that layout gives to EFTControl: a block that changes them (a
    // loaded profile's EFTControl), or the defaults of another image, would
    // lock the mouse out and is not written.
    void writeThatWouldFailTheIdentificationIsRefused()
    {
        DeviceRig rig(mouseConfig(0xA5, 29, 0x08));
        rig.state().ImageLayoutCode = 42;
        rig.state().ImageIdBytes[0] = 0x12;
        rig.state().ImageIdBytes[1] = 0x34;
        rig.sim.writeBytes(0x6057, "\x12\x34");
        rig.tick();
        QCOMPARE(rig.link.connection.connectionState(), ConnectionState::Connected);
        ConfigurationTransfer &transfer = rig.link.transfer;
        QVERIFY(transfer.DownloadParameter()); // unchanged, so still identifiable

        const QByteArray memory = rig.sim.memoryBytes();
        const QString refused = transfer.messageText(DeviceMessage::Id::IdentityWouldBreak);
        rig.config.sections().EFTControl[2] = char(rig.config.sections().EFTControl.at(2) ^ 1);
        rig.observer.messages.clear();
        rig.sim.clearTrace();
        QVERIFY(!transfer.DownloadParameter() && !transfer.DefaultParameter());
        QVERIFY(rig.sim.trace().empty() && rig.sim.memoryBytes() == memory);
        QCOMPARE(rig.observer.messages, QStringList({refused, refused}));
    }
};

QTEST_GUILESS_MAIN(TestGarbledReplies)
#include "test_garbled_replies.moc"
