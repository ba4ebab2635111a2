#include "cli_test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// write --system-settings takes the desktop's settings through the store
// this session calls for, stores them back and applies them with the write.
class TestSystemSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    void useSession(const QByteArray &desktop, const QByteArray &type)
    {
        qputenv("XDG_CURRENT_DESKTOP", desktop);
        qputenv("XDG_SESSION_TYPE", type);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
        // No desktop of the machine running the tests is to be touched.
        qunsetenv("DISPLAY");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    CliRun write()
    {
        return runCli({"--simulate", "b58", "--sim-state", "mouse.mem", "write",
                       "--system-settings", "defaults.bin"},
                      m_dir.path());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir().mkpath(path("config")));
        QVERIFY(writeAll(path("defaults.bin"), defaultProfileImage()));
    }

    void kdeSettingsGoBackUntouched()
    {
        useSession("KDE", "x11");
        const QByteArray globals = "[$Version]\nupdate_info=x.upd:1\n\n[KDE]\n"
                                   "DoubleClickInterval=550\nWheelScrollLines=-1\n"
                                   "SingleClick[$i]=false\n\n[KDE][Sub]\nA=1\n";
        const QByteArray input = "[Mouse]\nXLbInptPointerAcceleration=0.33\n";
        QVERIFY(writeAll(path("config/kdeglobals"), globals));
        QVERIFY(writeAll(path("config/kcminputrc"), input));

        const CliRun run = write();
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.outLines(),
                 QStringList{"Desktop mouse settings: KDE Plasma; all three are applied."});
        QCOMPARE(readAll(path("config/kdeglobals")), globals);
        QCOMPARE(readAll(path("config/kcminputrc")), input);
        QVERIFY(!QFile::exists(path("config/gaming-mouse/mouse-settings.ini")));
    }
};

QTEST_GUILESS_MAIN(TestSystemSettings)
#include "test_system_settings.moc"
