#include "cli_test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// write --system-settings takes the desktop's settings through the store
// this session calls for, stores them back and applies them with the write.
class TestSystemSettings : public QObject
{
    Q_OBJECT

private slots:
    void kdeSettingsGoBackUntouched()
    {
        QTemporaryDir dir;
        const QString config = dir.filePath("config");
        QVERIFY(QDir().mkpath(config));
        QVERIFY(writeAll(dir.filePath("defaults.bin"), defaultProfileImage()));
        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        qputenv("XDG_SESSION_TYPE", "x11");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        qunsetenv("DBUS_SESSION_BUS_ADDRESS"); // the machine's own desktop stays out
        const QByteArray globals = "[$Version]\nupdate_info=x.upd:1\n\n[KDE]\n"
                                   "DoubleClickInterval=550\nWheelScrollLines=-1\n"
                                   "SingleClick[$i]=false\n\n[KDE][Sub]\nA=1\n";
        const QByteArray input = "[Mouse]\nXLbInptPointerAcceleration=0.33\n";
        QVERIFY(writeAll(config + "/kdeglobals", globals));
        QVERIFY(writeAll(config + "/kcminputrc", input));

        const CliRun run = runCli({"--simulate", "b58", "--sim-state", "mouse.mem", "write",
                                   "--system-settings", "defaults.bin"},
                                  dir.path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.outLines(),
                 QStringList{"Desktop mouse settings: KDE Plasma; all three are applied."});
        QCOMPARE(readAll(config + "/kdeglobals"), globals);
        QCOMPARE(readAll(config + "/kcminputrc"), input);
        QVERIFY(!QFile::exists(config + "/gaming-mouse/mouse-settings.ini"));
    }
};

QTEST_GUILESS_MAIN(TestSystemSettings)
#include "test_system_settings.moc"
