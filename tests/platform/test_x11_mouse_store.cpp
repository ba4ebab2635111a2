#include "settings/mouse_settings_page_model.h"
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
    friend bool operator==(const Control &, const Control &) = default;
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
        XSync(m_display, False);
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
    }

    void accelerationGoesThroughTheCorePointer()
    {
        // Values handed back unchanged restore the control exactly.
        setControl(3, 2, 5);
        const auto store = openStore();
        MouseSettingsPageModel page(store.get());
        page.refreshFromSystem();
        QCOMPARE(page.MouseSpeedValue(), 1);
        QCOMPARE(page.MouseThreshold1Value(), 5);
        page.storeAndApply();
        QCOMPARE(control(), (Control{3, 2, 5}));

        // Otherwise: double past the first threshold, fourfold past the
        // second, none at all (threshold kept).
        const QList<std::pair<int, Control>> levels = {
            {2, {4, 1, 10}}, {1, {2, 1, 6}}, {0, {1, 1, 6}}};
        for (const auto &[speed, expected] : levels) {
            store->applyAcceleration(6, 10, speed);
            store->finishApply();
            QCOMPARE(control(), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestX11MouseStore)
#include "test_x11_mouse_store.moc"
