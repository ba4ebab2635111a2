#include "macros/macro_names.h"
#include "session/core_session.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr quint16 kNameTableAddress = 0x6400;

// Stands in for the platform's lock file; counts what the session asked of it.
struct CountingLock final : DeviceLock
{
    int *acquired;
    int *released;
    CountingLock(int *a, int *r) : acquired(a), released(r) {}
    bool acquire(const IdPair &) override
    {
        ++*acquired;
        return true;
    }
    void release() override { ++*released; }
};

// The one call, the default image and one hot-plug tick with the mouse held.
std::unique_ptr<CoreSession> connectedSession(const SimulatorOptions &options, DeviceClock &clock,
                                              const RealDeviceFactories &real = {})
{
    QString error;
    auto session = CoreSession::open(options, clock, real, &error);
    if (!session || !session->config().startUp() || !session->holdMouse())
        qFatal("no session: %s", qPrintable(error));
    session->link().connection.DevTimerTimer();
    return session;
}

} // namespace

class TestCoreSession : public QObject
{
    Q_OBJECT

private slots:
    void simulatedMouseIsReadRenamedAndKept()
    {
        QTemporaryDir dir;
        SimulatorOptions options;
        options.kind = QStringLiteral("b58");
        options.statePath = dir.filePath(QStringLiteral("mouse.mem"));
        ManualClock clock;
        QString error;
        {
            auto session = connectedSession(options, clock);
            QCOMPARE(session->link().connection.connectionState(), ConnectionState::Connected);
            QVERIFY(session->link().transfer.lastReadComplete());
            SimulatedMouse *mouse = session->simulatedMouse();
            QVERIFY(mouse);
            // The read took the names into the macro list; the button pages see them.
            const QStringList inMouse = RefreshMacroName(mouse->readBytes(kNameTableAddress, 1024));
            QCOMPARE(session->macros().macroNames(), inMouse);
            QCOMPARE(session->config().MacroNames(), inMouse);

            // A rename reaches the mouse with the write-all, behind a backup.
            QStringList shown;
            session->setMacroNamesShown([&shown](const QStringList &names) { shown = names; });
            QVERIFY(session->macros().LB_MacroNameClick(3));
            QVERIFY(session->macros().ApplyMacroName(QStringLiteral("Renamed")));
            QVERIFY(session->link().transfer.DownloadParameter());
            QCOMPARE(RefreshMacroName(mouse->readBytes(kNameTableAddress, 1024))[3],
                     QStringLiteral("Renamed"));
            QVERIFY(!session->link().transfer.lastBackup().isEmpty());
            // A profile read from the image shows the names again.
            session->config().MemoToDataBuf();
            QCOMPARE(shown.value(3), QStringLiteral("Renamed"));

            QVERIFY(session->holdMouse());
            QVERIFY(session->finish(&error));
            QVERIFY(!session->link().lockKeeper.held());
        }
        // Letting go saved the memory: the next run reads the renamed macro.
        auto next = connectedSession(options, clock);
        QCOMPARE(next->macros().macroNames()[3], QStringLiteral("Renamed"));
        next->setBackupsEnabled(false);
        QVERIFY(next->link().transfer.DownloadParameter());
        QVERIFY(next->link().transfer.lastBackup().isEmpty());
        QVERIFY(next->finish(&error));
    }

    void realFactoriesServeTheSearchAndTheLock()
    {
        int acquired = 0;
        int released = 0;
        const RealDeviceFactories real{
            [] {
                auto mouse = std::make_unique<SimulatedMouse>(SimulatedMouseConfig{});
                SimulatorSetup::placeDefaultImage(*mouse, 0);
                return std::unique_ptr<HidBackend>(std::move(mouse));
            },
            [&] { return std::make_unique<CountingLock>(&acquired, &released); }};
        ManualClock clock;
        auto session = connectedSession(SimulatorOptions{}, clock, real);
        QCOMPARE(session->link().connection.connectionState(), ConnectionState::Connected);
        QVERIFY(!session->simulatedMouse());
        // Held once for the whole run, however many ticks took it meanwhile.
        session->link().connection.DevTimerTimer();
        QCOMPARE(acquired, 1);
        QCOMPARE(released, 0);
        QString error;
        QVERIFY(session->finish(&error));
        QCOMPARE(released, 1);
    }
};

QTEST_GUILESS_MAIN(TestCoreSession)
#include "test_core_session.moc"
