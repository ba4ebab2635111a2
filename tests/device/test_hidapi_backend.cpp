#include "device/hid_transport.h"
#include "hidapi_backend.h"

#include <QDir>
#include <QTest>

class TestHidapiBackend : public QObject
{
    Q_OBJECT

private slots:
    void machineWithoutHidDevicesFindsNothing()
    {
        HidapiBackend backend;
        AppState state;
        HidTransport transport(backend, state);
        const QList<QByteArray> paths = backend.enumerateInterfaces();
        const quint32 count = transport.CountHidInterfaces();
        // Nodes that cannot be opened count only when access to them was denied.
        QVERIFY(count <= quint32(paths.size()));
        const bool noNodes = QDir(QStringLiteral("/sys/class/hidraw"))
                                 .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                                 .isEmpty();
        if (noNodes) {
            QVERIFY(paths.isEmpty());
            QCOMPARE(count, 0u);
            QVERIFY(!transport.OpenMouse(0x1209, 0x0001));
        }
        QCOMPARE(state.CommandHandle, kInvalidHandle);
    }

    void unknownHandlesFail()
    {
        HidapiBackend backend;
        HidReport report{0x41};
        QVERIFY(!backend.setFeature(3, report));
        QVERIFY(!backend.getFeature(kInvalidHandle, report));
        QCOMPARE(backend.featureReportLength(7), 0);
        QVERIFY(!backend.attributes(0));
        backend.close(12);
        QCOMPARE(backend.open("/nonexistent/hidraw99"), kInvalidHandle);
    }
};

QTEST_GUILESS_MAIN(TestHidapiBackend)
#include "test_hidapi_backend.moc"
