#include "settings/mouse_settings_page_model.h"
#include "ui/language.h"
#include "x11_mouse_store.h"
#include "xvfb_server.h"

#include <QTemporaryDir>
#include <QTest>

#include <X11/Xlib.h>

namespace {

struct Control
{
    int numerator = 0;
    int denominator = 0;
    int threshold = 0;
};

} // namespace

// The X11 store on a server whose pointer has no libinput speed property,
// as on Xvfb or with the evdev driver.
class TestX11MouseStore : public QObject
{
    Q_OBJECT

    XvfbServer m_server;
    QTemporaryDir m_dir;
    Display *m_display = nullptr; // the test's own connection, to look

    Control control() const
    {
        Control c;
        XGetPointerControl(m_display, &c.numerator, &c.denominator, &c.threshold);
        return c;
    }
    void setControl(int numerator, int denominator, int threshold)
    {
        XChangePointerControl(m_display, True, True, numerator, denominator, threshold);
        XSync(m_display, False);
    }
    std::unique_ptr<X11MouseStore> openStore() const
    {
        return X11MouseStore::open(OwnMouseSettingsFile(m_dir.filePath("own.ini")));
    }

private slots:
    void initTestCase()
    {
        const QString problem = m_server.start();
        if (!problem.isEmpty())
            QSKIP(qPrintable(problem));
        m_display = XOpenDisplay(m_server.display().toLatin1().constData());
        QVERIFY(m_display);
    }
    void cleanupTestCase()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }

    void missingPropertyLeavesSpeedToTheProgram()
    {
        const auto store = openStore();
        QVERIFY(store);
        QVERIFY(store->libinputPointers().isEmpty());
        QVERIFY(!store->appliesToDesktop(MouseSetting::PointerSpeed));
        using G = MouseSettingsStore::Group;
        QCOMPARE(store->readValue(G::Mouse, "MouseSensitivity"), std::nullopt);
        QVERIFY(store->writeValue(G::Mouse, "MouseSensitivity", "4"));
        store->applyPointerSpeed(4); // nowhere to go, and no X error either
        QCOMPARE(openStore()->readValue(G::Mouse, "MouseSensitivity"), std::optional<QString>("4"));
        QCOMPARE(MouseSettingsPageModel(store.get()).storeDescription(languageLookup(1)),
                 QString("Desktop mouse settings: X11 pointer settings; not applied to the "
                         "desktop: pointer speed, double-click speed, wheel scroll lines."));
    }

    void accelerationComesBackUnchanged()
    {
        setControl(3, 2, 5);
        const auto store = openStore();
        MouseSettingsPageModel page(store.get());
        page.refreshFromSystem();
        QCOMPARE(page.MouseSpeedValue(), 1);
        QCOMPARE(page.MouseThreshold1Value(), 5);
        QCOMPARE(page.MouseThreshold2Value(), 5);
        page.storeAndApply();
        const Control after = control();
        QCOMPARE(after.numerator, 3);
        QCOMPARE(after.denominator, 2);
        QCOMPARE(after.threshold, 5);
    }

    void accelerationLevelsMapToTheCorePointer()
    {
        setControl(1, 1, 4);
        const auto store = openStore();
        store->applyAcceleration(6, 10, 2);
        store->finishApply();
        XSync(m_display, False);
        Control c = control();
        QCOMPARE(c.numerator / c.denominator, 4);
        QCOMPARE(c.threshold, 10);

        store->applyAcceleration(6, 10, 1);
        store->finishApply();
        XSync(m_display, False);
        c = control();
        QCOMPARE(c.numerator / c.denominator, 2);
        QCOMPARE(c.threshold, 6);

        store->applyAcceleration(6, 10, 0);
        store->finishApply();
        XSync(m_display, False);
        c = control();
        QCOMPARE(c.numerator, c.denominator);
        QCOMPARE(c.threshold, 6); // kept
    }
};

QTEST_GUILESS_MAIN(TestX11MouseStore)
#include "test_x11_mouse_store.moc"
