#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

// The bash completion, run by bash with bash-completion's helpers, against
// the built program (the function names come from it).
class TestCompletion : public QObject
{
    Q_OBJECT

    static constexpr char kHelpers[] = "/usr/share/bash-completion/bash_completion";

    // The completions bash offers for the last of `words`.
    static QStringList complete(const QStringList &words)
    {
        const QString script =
            QStringLiteral("source %1; source %2; COMP_WORDS=(%3); COMP_CWORD=%4; "
                           "COMP_LINE=\"${COMP_WORDS[*]}\"; COMP_POINT=${#COMP_LINE}; "
                           "_gaming_mousectl; printf '%s\\n' \"${COMPREPLY[@]}\"")
                .arg(QLatin1String(kHelpers), QStringLiteral(GM_COMPLETION_PATH),
                     "'" + words.join("' '") + "'")
                .arg(words.size() - 1);
        QProcess bash;
        QStringList environment = QProcess::systemEnvironment();
        environment.append(QStringLiteral("PATH=%1:%2")
                               .arg(QFileInfo(QStringLiteral(GM_CLI_PATH)).absolutePath(),
                                    qEnvironmentVariable("PATH")));
        bash.setEnvironment(environment);
        bash.start(QStringLiteral("bash"), {QStringLiteral("-c"), script});
        if (!bash.waitForFinished(20000))
            return {QStringLiteral("(bash did not finish)")};
        QStringList lines = QString::fromUtf8(bash.readAllStandardOutput()).split('\n');
        lines.removeAll(QString());
        return lines;
    }

private slots:
    void initTestCase()
    {
        if (!QFileInfo::exists(QLatin1String(kHelpers)))
            QSKIP("bash-completion is not installed (scripts/install-deps.sh installs it)");
    }

    void commandsSettingsAndValues()
    {
        QCOMPARE(complete({"gaming-mousectl", "se"}), QStringList{"set"});
        QCOMPARE(complete({"gaming-mousectl", "--simulate", "b58", "set", "re"}),
                 QStringList{"report-rate"});
        QCOMPARE(complete({"gaming-mousectl", "set", "light", "--mode", "c"}),
                 (QStringList{"colorful", "custom"}));
        QCOMPARE(complete({"gaming-mousectl", "button", "s"}), QStringList{"switch"});
        QCOMPARE(complete({"gaming-mousectl", "--no-backup", "re"}),
                 (QStringList{"read", "reset", "restore"}));
        QCOMPARE(complete({"gaming-mousectl", "--no"}), QStringList{"--no-backup"});
        QCOMPARE(complete({"gaming-mousectl", "restore", "--d"}), QStringList{"--dry-run"});
    }

    void functionNamesComeFromTheProgram()
    {
        QCOMPARE(complete({"gaming-mousectl", "button", "main", "5", "cpi"}),
                 (QStringList{"cpi", "cpi+", "cpi-"}));
        QCOMPARE(complete({"gaming-mousectl", "button", "main", "5", "www-f"}),
                 (QStringList{"www-forward", "www-favorites"}));
        QCOMPARE(complete({"gaming-mousectl", "button", "main", "5", "ke"}), QStringList{"keys:"});
    }
};

QTEST_GUILESS_MAIN(TestCompletion)
#include "test_completion.moc"
