#include "kde_config_file.h"
#include "kde_mouse_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kGlobals = "[$Version]\nupdate_info=kded.upd:kde3.0\n\n"
                            "[General]\nName[de]=Dunkel\n\n"
                            "[KDE]\n# a note\nDoubleClickInterval=400\nSingleClick[$i]=false\n"
                            "LookAndFeelPackage=org.kde.breeze.desktop\n\n"
                            "[KDE][Action Restrictions]\nWheelScrollLines=99\n\n"
                            "[WM]\nactiveBackground=49,54,59\n";
const QByteArray kInput = "[Keyboard]\nRepeatRate=25\n\n[Mouse]\nXLbInptPointerAcceleration=0.2\n"
                          "cursorTheme=breeze\n\n[Mouse][Libinput]\nPointerAcceleration=0.5\n";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestKdeMouseStore : public QObject
{
    Q_OBJECT

private slots:
    void lineEditorKeepsEverythingElse()
    {
        const QString text = QString::fromUtf8(kGlobals);
        // Immutable entries, groups and files are never changed.
        QVERIFY(!KdeConfigFile::withEntry(text, "KDE", "SingleClick", "true"));
        QVERIFY(!KdeConfigFile::withEntry("[Mouse][$i]\nX=1\n", "Mouse", "X", "2"));
        QVERIFY(!KdeConfigFile::withEntry("[$i]\n[Mouse]\nX=1\n", "Mouse", "X", "2"));
        // A new group goes to the end; CR LF and the key's spelling stay.
        QCOMPARE(*KdeConfigFile::withEntry("[A]\nk=v", "Mouse", "X", "2"),
                 QString("[A]\nk=v\n\n[Mouse]\nX=2\n"));
        QCOMPARE(*KdeConfigFile::withEntry("[Mouse]\r\nX = 1\r\n", "Mouse", "X", "2"),
                 QString("[Mouse]\r\nX =2\r\n"));
        QCOMPARE(*KdeConfigFile::withEntry("", "KDE", "X", "2"), QString("[KDE]\nX=2\n"));
    }

    void storeChangesOnlyItsLines()
    {
        QTemporaryDir config;
        QVERIFY(writeAll(config.filePath("kdeglobals"), kGlobals));
        QVERIFY(writeAll(config.filePath("kcminputrc"), kInput));
        KdeMouseStore store(config.path(), true, OwnMouseSettingsFile(config.filePath("own.ini")));
        using G = MouseSettingsStore::Group;
        QCOMPARE(store.readValue(G::Mouse, "MouseSensitivity"), std::optional<QString>("12"));
        QCOMPARE(store.readValue(G::Mouse, "DoubleClickSpeed"), std::optional<QString>("400"));
        // Not the nested group's key, nor a translation.
        QCOMPARE(store.readValue(G::Desktop, "WheelScrollLines"), std::nullopt);
        QCOMPARE(KdeConfigFile(config.filePath("kdeglobals")).read("General", "Name"),
                 std::nullopt);

        QVERIFY(store.writeValue(G::Mouse, "MouseSensitivity", "4"));
        QVERIFY(store.writeValue(G::Mouse, "DoubleClickSpeed", "270"));
        QVERIFY(store.writeValue(G::Desktop, "WheelScrollLines", "7"));
        QVERIFY(!store.writeValue(G::Mouse, "DoubleClickSpeed", "fast"));
        store.applyPointerSpeed(4);
        store.finishApply(); // without a session bus the notice is just not sent

        QByteArray globals = kGlobals;
        globals.replace("DoubleClickInterval=400", "DoubleClickInterval=270");
        globals.replace("org.kde.breeze.desktop\n", "org.kde.breeze.desktop\nWheelScrollLines=7\n");
        QCOMPARE(readAll(config.filePath("kdeglobals")), globals);
        QByteArray input = kInput;
        input.replace("Acceleration=0.2", "Acceleration=-0.6");
        QCOMPARE(readAll(config.filePath("kcminputrc")), input);
        QVERIFY(!QFile::exists(config.filePath("kdeglobals.lock")));
        QVERIFY(!QFile::exists(config.filePath("own.ini")));
    }
};

QTEST_GUILESS_MAIN(TestKdeMouseStore)
#include "test_kde_mouse_store.moc"
