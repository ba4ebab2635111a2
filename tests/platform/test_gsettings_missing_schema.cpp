#include "gsettings_mouse_store.h"
#include "gsettings_test_schema.h"
#include "mouse_settings_store_factory.h"

#include <QTemporaryDir>
#include <QTest>

// Without the schema the store must refuse to open instead of letting GLib
// abort the program, and the choice falls back to what else is there.
class TestGSettingsMissingSchema : public QObject
{
    Q_OBJECT

private slots:
    void missingSchemaFallsBack()
    {
        QTemporaryDir dir;
        QVERIFY(useTestMouseSchema(dir.path(), false).isEmpty());
        QVERIFY(!GSettingsMouseStore::schemaInstalled());
        QVERIFY(!GSettingsMouseStore::open(OwnMouseSettingsFile(dir.filePath("own.ini"))));

        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("config")));
        DesktopSession session;
        session.currentDesktop = "GNOME";
        session.sessionType = "wayland";
        const auto store = createMouseSettingsStore(session);
        QCOMPARE(store->kind(), MouseSettingsStore::Kind::ProgramOnly);
        QVERIFY(store->writeValue(MouseSettingsStore::Group::Mouse, "MouseSensitivity", "6"));
        QVERIFY(QFile::exists(dir.filePath("config/gaming-mouse/mouse-settings.ini")));
    }

    void choiceFollowsTheSession_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("schema");
        QTest::addColumn<bool>("display");
        QTest::addColumn<int>("kind");
        using K = MouseSettingsStore::Kind;
        QTest::newRow("plasma wayland") << "KDE"
                                        << "wayland" << true << false << int(K::Kde);
        QTest::newRow("ubuntu") << "ubuntu:GNOME"
                                << "wayland" << true << false << int(K::Gnome);
        QTest::newRow("gnome without schema") << "GNOME"
                                              << "x11" << false << true << int(K::X11);
        QTest::newRow("xfce x11") << "XFCE"
                                  << "x11" << true << true << int(K::X11);
        QTest::newRow("sway") << "sway"
                              << "wayland" << true << true << int(K::ProgramOnly);
        QTest::newRow("console") << ""
                                 << "tty" << false << false << int(K::ProgramOnly);
        QTest::newRow("gnome-ish name") << "GNOMEISH"
                                        << "wayland" << true << false << int(K::ProgramOnly);
    }
    void choiceFollowsTheSession()
    {
        QFETCH(QString, desktop);
        QFETCH(QString, type);
        QFETCH(bool, schema);
        QFETCH(bool, display);
        QFETCH(int, kind);
        const DesktopSession session{desktop, type, schema, display};
        QCOMPARE(int(chooseMouseStoreKind(session)), kind);
    }
};

QTEST_GUILESS_MAIN(TestGSettingsMissingSchema)
#include "test_gsettings_missing_schema.moc"
