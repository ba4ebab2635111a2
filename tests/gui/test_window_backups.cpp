#include "window_fixture.h"

#include "app/window_content.h"
#include "ui/language.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A text of the language up to its first placeholder (all of it without one).
QString text(int language, const char *key)
{
    const QString whole = LanguageText(OpenLanguage(language), QString::fromLatin1(key));
    return whole.left(whole.indexOf(QLatin1String("%1")));
}

// A DPI level more or less: a change every write stores.
void changeSomething(MainWindow &window)
{
    QByteArray &parameterA = window.config().sections().ParameterA;
    parameterA[11] = char(parameterA.at(11) == 5 ? 6 : 5);
    window.config().RefreshUI();
}

// Cancels the next file dialog that opens and says in which folder it opened.
QString folderOfNextFileDialog(MainWindow &window)
{
    QString seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *dialog = window.findChild<QFileDialog *>(); dialog && dialog->isVisible()) {
            seen = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    poll.start();
    window.Btn_LoadClick();
    return seen;
}
} // namespace

// The window's part in the backups: the failed write's second button, and
// the question when no backup can be made, and where Import setting opens.
class TestWindowBackups : public QObject
{
    Q_OBJECT

private slots:
    void aFailedWriteIsWrittenBackThroughTheSecondButton()
    {
        const int language = 2; // the texts follow the chosen language
        QTemporaryDir state;
        qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
        WindowFixture f;
        f.window->content().languageButtonClick(language);
        f.window->DevTimerTimer();
        const QByteArray memory = f.mouse.memoryBytes();
        changeSomething(*f.window);
        f.messages.press = text(language, "Str044");
        f.mouse.failReportNumber(300); // once, in the macro blocks
        f.window->Btn_ApplyClick();

        QCOMPARE(f.messages.seen.size(), 1);
        const SeenMessage &message = f.messages.seen.first();
        QVERIFY(message.text.startsWith(text(language, "Str023")));
        QVERIFY(message.text.contains(text(language, "Str042")));
        const QStringList backups =
            QDir(state.filePath(QStringLiteral("gaming-mouse/backups"))).entryList(QDir::Files);
        QCOMPARE(backups.size(), 1);
        QVERIFY(message.text.contains(backups.first()));
        QCOMPARE(f.mouse.memoryBytes(), memory);
    }

    void withoutABackupTheWindowAsksBeforeWriting()
    {
        QTemporaryDir state;
        qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
        // A file where the folder would be: no backup can be made.
        QVERIFY(QFile(state.filePath(QStringLiteral("gaming-mouse"))).open(QIODevice::WriteOnly));
        WindowFixture f;
        f.window->DevTimerTimer();
        changeSomething(*f.window);
        const QByteArray memory = f.mouse.memoryBytes();
        f.window->Btn_ConfirmClick(); // turned down: no write, and the window stays
        QCoreApplication::processEvents();
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.messages.seen.size(), 1);
        QVERIFY(f.messages.seen.first().text.startsWith(text(1, "Str040")));
        QCOMPARE(f.mouse.memoryBytes(), memory);

        f.messages.press = text(1, "Str041");
        f.window->Btn_ApplyClick();
        QVERIFY(f.mouse.memoryBytes() != memory);
    }

    void importSettingOpensInTheBackupsFolder()
    {
        QTemporaryDir state;
        qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
        WindowFixture f;
        f.window->DevTimerTimer();
        changeSomething(*f.window);
        f.window->Btn_ApplyClick(); // the first backup makes the folder
        QCOMPARE(folderOfNextFileDialog(*f.window),
                 QDir(state.filePath(QStringLiteral("gaming-mouse/backups"))).absolutePath());
    }
};

QTEST_MAIN(TestWindowBackups)
#include "test_window_backups.moc"
