#include "cli_test_support.h"

#include "configuration/numeric_settings.h"
#include "settings/setting_declarations.h"

#include <QTemporaryDir>
#include <QTest>

// The command line knows its settings from their declarations: each is in
// `set`'s help and completion list, takes the ends of its range and refuses
// the values just outside it, naming the range.
class TestDeclaredSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    CliRun onMouse(const QStringList &args)
    {
        return runCli(onSimulatedMouse(args), m_dir->path());
    }

    // The nearest values outside `range` on either side.
    static QList<int> justOutside(const ValueRange &range)
    {
        QList<int> outside;
        for (const int edge : {range.first, range.last, range.alsoAllowed.value_or(range.first)}) {
            for (const int next : {edge - 1, edge + 1}) {
                if (!range.contains(next) && !outside.contains(next))
                    outside.append(next);
            }
        }
        return outside;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void everySettingIsListedAndHelped()
    {
        const CliRun listed = onMouse({"set", "--list-settings"});
        const CliRun help = onMouse({"set", "--help"});
        QCOMPARE(listed.exitCode, 0);
        QCOMPARE(help.exitCode, 0);
        for (const NumericSetting &setting : numericSettings())
            QVERIFY(listed.outLines().contains(QLatin1String(setting.declaration.name)));
        for (const QString &name : listed.outLines())
            QVERIFY2(help.out.contains("  " + name.toUtf8() + ' '), qPrintable(name));
    }

    void numericSettingsAtTheirEdges()
    {
        for (const NumericSetting &setting : numericSettings()) {
            const QString name = QLatin1String(setting.declaration.name);
            const ValueRange &range = setting.declaration.range;
            for (const int value : {range.first, range.last}) {
                QCOMPARE(onMouse({"set", name, QString::number(value)}).exitCode, 0);
                const QJsonObject shown =
                    showJson(onSimulatedMouse({"show", "--json"}), m_dir->path());
                QCOMPARE(shown[QLatin1String(setting.jsonKey)].toInt(), value);
            }
            for (const int value : justOutside(range)) {
                const CliRun run = onMouse({"set", name, QString::number(value)});
                QCOMPARE(run.exitCode, 2);
                QVERIFY2(run.err.contains(range.text().toUtf8()), run.err.constData());
            }
        }
    }

    void numberedArgumentsAtTheirEdges_data()
    {
        QTest::addColumn<QStringList>("before"); // the arguments before the number
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("alsoAllowed"); // -1: none
        const auto row = [](const char *name, const QStringList &before, const QStringList &after,
                            const SettingDeclaration &declared) {
            QTest::newRow(name) << before << after << declared.range.first << declared.range.last
                                << declared.range.alsoAllowed.value_or(-1);
        };
        row("fire key", {"set", "fire-key"}, {"--repeat", "2"}, settings::kFireKey);
        row("repeat", {"set", "fire-key", "1", "--repeat"}, {}, settings::kRepeat);
        row("delay", {"set", "fire-key", "1", "--delay"}, {}, settings::kDelay);
        row("step", {"set", "light", "--on"}, {}, settings::kLightStep);
        row("colour mode", {"set", "light", "--colour-mode"}, {}, settings::kColourMode);
        row("button", {"button", "main"}, {"left"}, settings::kButton);
    }
    void numberedArgumentsAtTheirEdges()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, alsoAllowed);
        const ValueRange range{first, last,
                               alsoAllowed < 0 ? std::nullopt : std::optional(alsoAllowed), false};
        const auto run = [&](int value) {
            return onMouse(before + QStringList{QString::number(value)} + after +
                           QStringList{"--dry-run"});
        };
        // Taken by the parser (the default image bypasses the light, which
        // the configuration then refuses with status 1).
        for (const int value : {range.first, range.last})
            QCOMPARE_NE(run(value).exitCode, 2);
        if (range.alsoAllowed)
            QCOMPARE_NE(run(*range.alsoAllowed).exitCode, 2);
        for (const int value : justOutside(range)) {
            const CliRun refused = run(value);
            QCOMPARE(refused.exitCode, 2);
            if (!before.contains("--colour-mode"))
                QVERIFY2(refused.err.contains(range.text().toUtf8()), refused.err.constData());
        }
    }

    void theLightsOptionsAndKeysComeFromItsDeclaration()
    {
        const CliRun help = onMouse({"set", "light", "--help"});
        const QJsonObject light =
            showJson(onSimulatedMouse({"show", "--json"}), m_dir->path())["light"].toObject();
        for (const settings::LightScaleDeclaration &scale : settings::kLightScales) {
            QVERIFY(help.out.contains("--" + QByteArray(scale.name) + " <S>"));
            QVERIFY(light.contains(QLatin1String(scale.name) + QStringLiteral("Step")));
        }
        QCOMPARE(onMouse({"set", "--list-values", "light-mode"}).outLines(),
                 settings::lightModeNames());
        const CliRun refused = onMouse({"set", "light", "--mode", "strobe"});
        QCOMPARE(refused.exitCode, 2);
        for (const QString &mode : settings::lightModeNames())
            QVERIFY(refused.err.contains(mode.toUtf8()));
    }

    void onlyTheMouseButtonsTakeOnlyLeftRightMiddle()
    {
        const auto assign = [this](int button) {
            return onMouse({"button", "main", QString::number(button), "back", "--dry-run"});
        };
        QCOMPARE(assign(settings::kMouseButtonCount).exitCode, 2);
        QCOMPARE(assign(settings::kMouseButtonCount + 1).exitCode, 0);
    }
};

QTEST_GUILESS_MAIN(TestDeclaredSettings)
#include "test_declared_settings.moc"
