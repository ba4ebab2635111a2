#include "macros/macro_names.h"
#include "session/core_session.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

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

QStringList namesIn(const SimulatedMouse &mouse)
{
    return RefreshMacroName(mouse.readBytes(0x6400, 1024));
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
            QVERIFY(session->link().transfer.lastReadComplete());
            // The read took the names into the macro list; the button pages see them.
            QCOMPARE(session->config().MacroNames(), namesIn(*session->simulatedMouse()));

            // A rename reaches the mouse with the write-all, behind a backup,
            // and the front end is shown the names the image holds.
            QStringList shown;
            session->setMacroNamesShown([&shown](const QStringList &names) { shown = names; });
            QVERIFY(session->macros().selectMacro(3));
            QVERIFY(session->macros().ApplyMacroName(QStringLiteral("Renamed")));
            QVERIFY(session->link().transfer.DownloadParameter());
            QCOMPARE(namesIn(*session->simulatedMouse()).value(3), QStringLiteral("Renamed"));
            QVERIFY(!session->link().transfer.lastBackup().isEmpty());
            session->config().MemoToDataBuf();
            QCOMPARE(shown.value(3), QStringLiteral("Renamed"));

            QVERIFY(session->holdMouse());
            QVERIFY(session->finish(&error));
            QVERIFY(!session->link().lockKeeper.held());
        }
        // Letting go saved the memory: the next run reads the renamed macro.
        auto next = connectedSession(options, clock);
        QCOMPARE(next->macros().macroNames().value(3), QStringLiteral("Renamed"));
    }

    void realFactoriesServeTheSearchAndTheLock()
    {
        // Stands in for the platform's lock file; counts what the session asks of it.
        struct CountingLock final : DeviceLock
        {
            int *counts;
            explicit CountingLock(int *c) : counts(c) {}
            bool acquire(const IdPair &) override { return ++counts[0] >= 1; }
            void release() override { ++counts[1]; }
        };
        int counts[2] = {0, 0};
        const RealDeviceFactories real{
            []() -> std::unique_ptr<HidBackend> {
                auto mouse = std::make_unique<SimulatedMouse>();
                SimulatorSetup::placeDefaultImage(*mouse, 0);
                return mouse;
            },
            [&counts] { return std::make_unique<CountingLock>(counts); }};
        ManualClock clock;
        auto session = connectedSession(SimulatorOptions{}, clock, real);
        QCOMPARE(session->link().connection.connectionState(), ConnectionState::Connected);
        // Held once for the whole run, whatever the search took meanwhile.
        QCOMPARE(counts[0], 1);
        QString error;
        QVERIFY(session->finish(&error));
        QCOMPARE(counts[1], 1);
    }
};

QTEST_GUILESS_MAIN(TestCoreSession)
#include "test_core_session.moc"
