#include <gio/gio.h>

#include "gsettings_mouse_store.h"
#include "gsettings_test_schema.h"
#include "settings/mouse_settings_page_model.h"

#include <QTemporaryDir>
#include <QTest>

class TestGSettingsMouseStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<GSettingsMouseStore> m_store;
    GSettings *m_direct = nullptr; // the same settings, as the desktop sees them

    OwnMouseSettingsFile ownFile() const { return OwnMouseSettingsFile(m_dir.filePath("own.ini")); }

private slots:
    void initTestCase()
    {
        const QString problem = useTestMouseSchema(m_dir.path());
        if (!problem.isEmpty())
            QSKIP(qPrintable(problem));
        QVERIFY(GSettingsMouseStore::schemaInstalled());
        m_store = GSettingsMouseStore::open(ownFile());
        QVERIFY(m_store);
        m_direct = g_settings_new(GSettingsMouseStore::kSchemaId);
    }
    void cleanupTestCase()
    {
        m_store.reset();
        if (m_direct)
            g_object_unref(m_direct);
    }

    void pointerSpeedMapsToTheScale()
    {
        using G = MouseSettingsStore::Group;
        QCOMPARE(m_store->readValue(G::Mouse, "MouseSensitivity"), std::optional<QString>("10"));
        QVERIFY(m_store->writeValue(G::Mouse, "MouseSensitivity", "4"));
        QCOMPARE(g_settings_get_double(m_direct, "speed"), -0.6);
        QCOMPARE(m_store->readValue(G::Mouse, "MouseSensitivity"), std::optional<QString>("4"));

        // A speed set elsewhere lights the nearest step and survives being
        // applied back; an off-table sensitivity is applied as it is.
        g_settings_set_double(m_direct, "speed", 0.33);
        QCOMPARE(m_store->readValue(G::Mouse, "MouseSensitivity"), std::optional<QString>("14"));
        m_store->applyPointerSpeed(14);
        QCOMPARE(g_settings_get_double(m_direct, "speed"), 0.33);
        m_store->applyPointerSpeed(11);
        QCOMPARE(g_settings_get_double(m_direct, "speed"), 0.1);
    }

    void pageRoundTripThroughTheStore()
    {
        MouseSettingsPageModel page(m_store.get());
        g_settings_set_int(m_direct, "double-click", 550);
        page.refreshFromSystem();
        QCOMPARE(page.DoubleClickStep(), 6);
        QCOMPARE(page.WheelLinesStep(), 0); // nothing kept yet
        page.setDoubleClickSpeed(10);
        page.setScrollSpeed(4);
        page.storeAndApply();
        QCOMPARE(g_settings_get_int(m_direct, "double-click"), 270);

        // The wheel lines live in the program's own file and survive.
        std::unique_ptr<GSettingsMouseStore> again = GSettingsMouseStore::open(ownFile());
        MouseSettingsPageModel later(again.get());
        later.refreshFromSystem();
        QCOMPARE(later.WheelLinesStep(), 4);
        QCOMPARE(later.DoubleClickStep(), 10);
        QVERIFY(!again->appliesToDesktop(MouseSetting::WheelLines));
        again->applyDoubleClickTime(0); // would stop double-clicks
        QCOMPARE(g_settings_get_int(m_direct, "double-click"), 270);
    }
};

QTEST_GUILESS_MAIN(TestGSettingsMouseStore)
#include "test_gsettings_mouse_store.moc"
