#include "device/hid_transport.h"
#include "hidapi_backend.h"
#include "runtime_lock_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
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

    void onlyWholeRepliesCount_data()
    {
        QTest::addColumn<int>("got");
        QTest::addColumn<bool>("taken");
        QTest::newRow("failed") << -1 << false;
        QTest::newRow("nothing") << 0 << false;
        QTest::newRow("three bytes") << 3 << false;
        QTest::newRow("seven bytes") << 7 << false;
        QTest::newRow("whole report") << 8 << true;
    }
    void onlyWholeRepliesCount()
    {
        QFETCH(int, got);
        QFETCH(bool, taken);
        const HidReport reply = {0x41, 1, 2, 3, 4, 5, 6, 7};
        HidReport report = {0x41, 0, 0, 0, 0, 0, 0, 0};
        const HidReport request = report;
        QCOMPARE(HidapiBackend::takeFeatureReply(got, reply, report), taken);
        QCOMPARE(report, taken ? reply : request);
    }

    void oneHolderPerMouse()
    {
        QTemporaryDir dir;
        RuntimeLockFile first(0, dir.path());
        RuntimeLockFile second(100, dir.path());
        const IdPair mouse{0x1209, 0x0001};
        QCOMPARE(QFileInfo(first.pathFor(mouse)).fileName(), "gaming-mouse-1209-0001.lock");
        QVERIFY(first.acquire(mouse));
        QVERIFY(!second.acquire(mouse));
        QVERIFY(second.acquire({0x1209, 0x0002})); // another mouse
        first.release();
        QVERIFY(second.acquire(mouse));
        QVERIFY(!first.acquire(mouse));
    }
};

QTEST_GUILESS_MAIN(TestHidapiBackend)
#include "test_hidapi_backend.moc"
