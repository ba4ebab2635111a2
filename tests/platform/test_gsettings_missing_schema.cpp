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

    void choiceFollowsTheSession()
    {
        using K = MouseSettingsStore::Kind;
        // desktop, session type, schema installed, X display -> store
        const QList<std::pair<DesktopSession, K>> cases = {
            {{"KDE", "wayland", true, false}, K::Kde},
            {{"ubuntu:GNOME", "wayland", true, false}, K::Gnome},
            {{"GNOME", "x11", false, true}, K::X11},
            {{"GNOMEISH", "x11", true, true}, K::X11},
            {{"sway", "wayland", true, true}, K::ProgramOnly},
            {{"", "tty", false, false}, K::ProgramOnly}};
        for (const auto &[session, kind] : cases)
            QCOMPARE(chooseMouseStoreKind(session), kind);
    }
};

QTEST_GUILESS_MAIN(TestGSettingsMissingSchema)
#include "test_gsettings_missing_schema.moc"
