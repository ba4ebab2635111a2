#include "kde_config_file.h"
#include "kde_mouse_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kGlobals = "[$Version]\n"
                            "update_info=kded.upd:kde3.0\n"
                            "\n"
                            "[General]\n"
                            "ColorScheme=BreezeDark\n"
                            "Name[de]=Dunkel\n"
                            "\n"
                            "[KDE]\n"
                            "# the user's own note\n"
                            "DoubleClickInterval=400\n"
                            "SingleClick[$i]=false\n"
                            "LookAndFeelPackage=org.kde.breeze.desktop\n"
                            "\n"
                            "[KDE][Action Restrictions]\n"
                            "WheelScrollLines=99\n"
                            "\n"
                            "[WM]\n"
                            "activeBackground=49,54,59\n";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestKdeMouseStore : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheEntryLineChanges()
    {
        const QString text = QString::fromUtf8(kGlobals);
        const auto changed = KdeConfigFile::withEntry(text, "KDE", "DoubleClickInterval", "270");
        QVERIFY(changed);
        QString expected = text;
        expected.replace("DoubleClickInterval=400", "DoubleClickInterval=270");
        QCOMPARE(*changed, expected);

        // A missing key joins its group after the group's last entry; the
        // nested group with the same key name is left alone.
        const auto added = KdeConfigFile::withEntry(text, "KDE", "WheelScrollLines", "7");
        QVERIFY(added);
        QVERIFY(added->contains("LookAndFeelPackage=org.kde.breeze.desktop\nWheelScrollLines=7\n"
                                "\n[KDE][Action Restrictions]\nWheelScrollLines=99\n"));
        QCOMPARE(added->size(), text.size() + QString("WheelScrollLines=7\n").size());
    }

    void immutableEntriesAndGroupsAreKept()
    {
        const QString text = QString::fromUtf8(kGlobals);
        QVERIFY(!KdeConfigFile::withEntry(text, "KDE", "SingleClick", "true"));
        QVERIFY(!KdeConfigFile::withEntry("[Mouse][$i]\nX=1\n", "Mouse", "X", "2"));
        QVERIFY(!KdeConfigFile::withEntry("[$i]\n[Mouse]\nX=1\n", "Mouse", "X", "2"));
        // A new group at the end, a blank line before it; CR LF kept.
        QCOMPARE(*KdeConfigFile::withEntry("[A]\nk=v", "Mouse", "X", "2"),
                 QString("[A]\nk=v\n\n[Mouse]\nX=2\n"));
        QCOMPARE(*KdeConfigFile::withEntry("[Mouse]\r\nX = 1\r\n", "Mouse", "X", "2"),
                 QString("[Mouse]\r\nX =2\r\n"));
    }

    void readsIgnoreTranslationsAndNestedGroups()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("kdeglobals");
        writeAll(path, kGlobals + "[Icons]\nTheme[$e]=breeze\n");
        KdeConfigFile file(path);
        QCOMPARE(file.read("KDE", "DoubleClickInterval"), std::optional<QString>("400"));
        QCOMPARE(file.read("KDE", "WheelScrollLines"), std::nullopt);
        QCOMPARE(file.read("General", "Name"), std::nullopt);
        QCOMPARE(file.read("Icons", "Theme"), std::optional<QString>("breeze"));
        QCOMPARE(KdeConfigFile(dir.filePath("absent")).read("KDE", "X"), std::nullopt);
    }

    void storeWritesKdeFilesInPlace()
    {
        QTemporaryDir config;
        writeAll(config.filePath("kdeglobals"), kGlobals);
        writeAll(config.filePath("kcminputrc"),
                 "[Keyboard]\nRepeatRate=25\n\n[Mouse]\nXLbInptPointerAcceleration=0.2\n"
                 "cursorTheme=breeze_cursors\n\n[Mouse][Libinput]\nPointerAcceleration=0.5\n");
        KdeMouseStore store(config.path(), false, OwnMouseSettingsFile(config.filePath("own.ini")));
        using G = MouseSettingsStore::Group;
        QCOMPARE(store.readValue(G::Mouse, "MouseSensitivity"), std::optional<QString>("12"));
        QCOMPARE(store.readValue(G::Mouse, "DoubleClickSpeed"), std::optional<QString>("400"));
        QCOMPARE(store.readValue(G::Desktop, "WheelScrollLines"), std::nullopt);
        QCOMPARE(store.readValue(G::Mouse, "MouseSpeed"), std::nullopt);

        QVERIFY(store.writeValue(G::Mouse, "MouseSensitivity", "4"));
        QVERIFY(store.writeValue(G::Mouse, "DoubleClickSpeed", "270"));
        QVERIFY(store.writeValue(G::Desktop, "WheelScrollLines", "7"));
        store.applyPointerSpeed(4);
        store.finishApply(); // without a session bus the notice is just not sent

        QByteArray globals = kGlobals;
        globals.replace("DoubleClickInterval=400", "DoubleClickInterval=270");
        globals.replace("org.kde.breeze.desktop\n", "org.kde.breeze.desktop\nWheelScrollLines=7\n");
        QCOMPARE(readAll(config.filePath("kdeglobals")), globals);
        QCOMPARE(
            readAll(config.filePath("kcminputrc")),
            QByteArray("[Keyboard]\nRepeatRate=25\n\n[Mouse]\nXLbInptPointerAcceleration=-0.6\n"
                       "cursorTheme=breeze_cursors\n\n[Mouse][Libinput]\n"
                       "PointerAcceleration=0.5\n"));
        QVERIFY(!QFile::exists(config.filePath("kdeglobals.lock")));
        QVERIFY(!QFile::exists(config.filePath("own.ini")));
        QVERIFY(store.appliesToDesktop(MouseSetting::WheelLines));
    }

    void missingFilesAreCreated()
    {
        QTemporaryDir config;
        const QString home = config.filePath("fresh/config");
        KdeMouseStore store(home, true, OwnMouseSettingsFile(config.filePath("own.ini")));
        QVERIFY(store.writeValue(MouseSettingsStore::Group::Desktop, "WheelScrollLines", "3"));
        QCOMPARE(readAll(home + "/kdeglobals"), QByteArray("[KDE]\nWheelScrollLines=3\n"));
        QVERIFY(!store.writeValue(MouseSettingsStore::Group::Mouse, "DoubleClickSpeed", "fast"));
    }
};

QTEST_GUILESS_MAIN(TestKdeMouseStore)
#include "test_kde_mouse_store.moc"
