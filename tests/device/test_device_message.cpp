#include "device/device_message.h"
#include "ui/language.h"

#include <QtTest>

class TestDeviceMessage : public QObject
{
    Q_OBJECT

private slots:
    void everyMessageIsWordedInEveryLanguage()
    {
        using Id = DeviceMessage::Id;
        for (int language = 1; language <= 3; ++language) {
            const TextLookup text = languageLookup(language);
            for (Id id : {Id::NoMouse, Id::WriteFailed, Id::ReadFailed, Id::NotReadCompletely,
                          Id::MouseInUse, Id::ReadInconsistent, Id::IdentityWouldBreak,
                          Id::BackupNotSaved, Id::BackupNotRead}) {
                const DeviceMessage message(id);
                QVERIFY2(!text(message.key()).isEmpty(), qPrintable(message.key()));
                QVERIFY(!message.text(text).contains("%1")); // every placeholder filled
            }
        }
    }

    void aFailedWriteNamesItsReportsAndItsBackup()
    {
        DeviceMessage message(DeviceMessage::Id::WriteFailed, 7);
        message.backup = QStringLiteral("/state/backup.bin");
        message.offer = DeviceMessage::Offer::WriteItBack;
        const TextLookup english = languageLookup(1);
        QCOMPARE(message.text(english),
                 english("Str023").arg(7) + ' ' + english("Str042").arg("/state/backup.bin"));
        QCOMPARE(message.offerText(english), english("Str044"));
        // A language without these texts still says what happened.
        const QString fallback = message.text(TextLookup());
        QVERIFY(fallback.contains("7 reports") && fallback.contains("/state/backup.bin"));
        QCOMPARE(message.offerText(TextLookup()), "Write it back");
    }
};

QTEST_GUILESS_MAIN(TestDeviceMessage)
#include "test_device_message.moc"
