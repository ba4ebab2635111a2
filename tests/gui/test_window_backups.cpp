#include "window_fixture.h"

#include "app/window_content.h"
#include "ui/language.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString text(int language, const char *key)
{
    return LanguageText(OpenLanguage(language), QString::fromLatin1(key));
}
QString before(const QString &pattern)
{
    return pattern.left(pattern.indexOf(QLatin1String("%1")));
}

// Cancels the next file dialog that opens and says in which folder it opened.
QString folderOfNextFileDialog(TForm1 &window)
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

// The window's part in the backups: the failed write's second button, the
// question when no backup can be made, and where Import setting opens.
class TestWindowBackups : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->filePath(QStringLiteral("gaming-mouse/backups")); }
    static void changeSomething(TForm1 &window)
    {
        QByteArray &parameterA = window.config().sections().ParameterA;
        parameterA[11] = char(parameterA.at(11) == 5 ? 6 : 5);
        window.config().RefreshUI();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("XDG_STATE_HOME", m_dir->path().toLocal8Bit());
    }

    void aFailedWriteIsWrittenBackThroughTheSecondButton_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 1;
        QTest::newRow("Russian") << 2;
        QTest::newRow("Chinese") << 3;
    }
    void aFailedWriteIsWrittenBackThroughTheSecondButton()
    {
        QFETCH(int, language);
        WindowFixture f(QStringLiteral("b58"));
        f.window->content().languageButtonClick(language);
        f.window->DevTimerTimer();
        const QByteArray memory = f.mouse.memoryBytes();
        changeSomething(*f.window);
        f.messages.press = text(language, "Str044");
        QVERIFY(!f.messages.press.isEmpty());
        f.mouse.failReportNumber(300); // once, in the macro blocks
        f.window->Btn_ApplyClick();

        QCOMPARE(f.messages.seen.size(), 1);
        const SeenMessage &message = f.messages.seen.first();
        QCOMPARE(message.buttons, 2);
        QVERIFY(message.text.startsWith(before(text(language, "Str023"))));
        QVERIFY(message.text.contains(before(text(language, "Str042"))));
        const QStringList backups = QDir(folder()).entryList(QDir::Files);
        QCOMPARE(backups.size(), 1);
        QVERIFY(message.text.contains(backups.first()));
        QCOMPARE(f.mouse.memoryBytes(), memory);
        QVERIFY(f.window->isVisible());
    }

    void withoutABackupTheWindowAsksBeforeWriting()
    {
        QFile blocker(m_dir->filePath(QStringLiteral("gaming-mouse")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // no folder can be made below it
        blocker.close();
        WindowFixture f(QStringLiteral("b58"));
        f.window->DevTimerTimer();
        changeSomething(*f.window);
        const QByteArray memory = f.mouse.memoryBytes();
        // Confirm, turned down, neither writes nor closes the window.
        f.window->Btn_ConfirmClick();
        QCoreApplication::processEvents();
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.messages.seen.size(), 1);
        QCOMPARE(f.messages.seen.first().buttons, 2);
        QVERIFY(f.messages.seen.first().text.startsWith(before(text(1, "Str040"))));
        QCOMPARE(f.mouse.memoryBytes(), memory);

        f.messages.press = text(1, "Str041");
        f.window->Btn_ApplyClick();
        QCOMPARE(f.messages.seen.size(), 2);
        QVERIFY(f.mouse.memoryBytes() != memory);
    }

    void importSettingOpensInTheBackupsFolder()
    {
        WindowFixture f(QStringLiteral("b58"));
        f.window->DevTimerTimer();
        changeSomething(*f.window);
        f.window->Btn_ApplyClick(); // the first backup makes the folder
        QCOMPARE(folderOfNextFileDialog(*f.window), folder());
    }
};

QTEST_MAIN(TestWindowBackups)
#include "test_window_backups.moc"
