#include "cli_test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// The commands that change a profile file given with --profile.
const QList<QStringList> kProfileCommands = {
    {"set", "dpi", "800,1600"},        {"button", "main", "5", "back"},
    {"macro", "rename", "3", "jump"},  {"apply", "change.json"},
    {"macro", "import", "2", "m.bin"}, {"macro", "import-all", "all.bin"},
};

} // namespace

// Replies that turn to garbage, and file arguments that are no files of
// the kind a command takes: each is refused in one line and nothing changes.
class TestHostileInput : public QObject
{
    Q_OBJECT

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    CliRun run(const QStringList &args, const std::optional<QByteArray> &input = std::nullopt)
    {
        return runCli(onSimulatedMouse(args), m_dir->path(), input);
    }
    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QCOMPARE(run({"read", "-o", "profile.bin"}).exitCode, 0); // mouse.mem now exists
        QCOMPARE(run({"macro", "export", "2", "m.bin"}).exitCode, 0);
        QCOMPARE(run({"macro", "export-all", "all.bin"}).exitCode, 0);
        QVERIFY(writeAll(path("change.json"), R"({"dpi":{"levels":["800","6400"]}})"));
        QVERIFY(writeAll(path("out.bin"), "precious"));
    }

    // Random payloads from the 16th report on (the search takes 14, so the
    // parameter block is garbled from its first data report), or only in
    // the block's second read at the end of the read-all.
    void garbledRepliesChangeNothing_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("command");
        const QList<QStringList> commands = {
            {"write", "profile.bin"},          {"reset"},
            {"set", "dpi", "800,1600"},        {"button", "main", "5", "back"},
            {"macro", "import", "2", "m.bin"}, {"macro", "import-all", "all.bin"},
            {"read", "-o", "out.bin"},         {"status"}};
        for (const char *from : {"16", "50", "4960"})
            for (const QStringList &command : commands)
                QTest::addRow("from %s: %s", from, qPrintable(command.join(' ')))
                    << QString::fromLatin1(from) << command;
    }
    void garbledRepliesChangeNothing()
    {
        QFETCH(QString, from);
        QFETCH(QStringList, command);
        const QByteArray memory = readAll(path("mouse.mem"));
        const CliRun result = run(QStringList{"--sim-garble-from", from} + command);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.errLines().size(), 1);
        QVERIFY2(result.err.contains("the mouse answered inconsistently"), result.err);
        QCOMPARE(readAll(path("mouse.mem")), memory);
        QCOMPARE(readAll(path("out.bin")), QByteArray("precious"));
        // A clean run afterwards finds, reads and writes the mouse.
        QCOMPARE(run(command).exitCode, 0);
        QCOMPARE(run({"status"}).exitCode, 0);
    }

    void profileMustBeAProfileFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("command");
        for (const char *kind : {"character device", "link to a character device", "FIFO",
                                 "empty file", "text file", "macro file", "folder"})
            for (const QStringList &command : kProfileCommands)
                QTest::addRow("%s, %s", kind, qPrintable(command.join(' ')))
                    << QString::fromLatin1(kind) << command;
    }
    void profileMustBeAProfileFile()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, command);
        const QString target = path("target");
        if (kind.contains("character device")) {
            // A node of its own, like /dev/null: a fault here must not cost the real one.
            const QString node = path("node");
            if (::mknod(qPrintable(node), S_IFCHR | 0600, makedev(1, 3)) != 0)
                QSKIP("making a device node needs root");
            if (kind.startsWith("link"))
                QVERIFY(QFile::link(node, target));
            else
                QVERIFY(QFile::rename(node, target));
        } else if (kind == "FIFO") {
            QVERIFY(::mkfifo(qPrintable(target), 0600) == 0);
        } else if (kind == "folder") {
            QVERIFY(QDir(m_dir->path()).mkdir("target"));
        } else {
            const QByteArray content = kind == "empty file"  ? QByteArray()
                                       : kind == "text file" ? QByteArray("hello")
                                                             : readAll(path("m.bin"));
            QVERIFY(writeAll(target, content));
        }
        const QFileInfo before(target);
        const QByteArray content = before.isFile() ? readAll(target) : QByteArray();
        const QByteArray memory = readAll(path("mouse.mem"));

        const CliRun result = run(command + QStringList{"--profile", "target"});
        QVERIFY(result.finished);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.errLines().size(), 1);
        QVERIFY2(result.err.contains(before.isFile() ? "is not a profile file"
                                                     : "is not a regular file"),
                 result.err);
        const QFileInfo after(target);
        QCOMPARE(after.isSymLink(), before.isSymLink());
        QCOMPARE(after.isFile(), before.isFile());
        QCOMPARE(after.isDir(), before.isDir());
        if (after.isFile())
            QCOMPARE(readAll(target), content);
        QCOMPARE(readAll(path("mouse.mem")), memory);
    }

    // A link to a profile file changes the file; the link stays a link.
    void profileThroughALink()
    {
        QVERIFY(QFile::link(path("profile.bin"), path("link.bin")));
        const QByteArray before = readAll(path("profile.bin"));
        QCOMPARE(runCli({"macro", "rename", "3", "linked", "--profile", "link.bin"}, m_dir->path())
                     .exitCode,
                 0);
        QVERIFY(QFileInfo(path("link.bin")).isSymLink());
        QVERIFY(readAll(path("profile.bin")) != before);
        QCOMPARE(readAll(path("profile.bin")).size(), 34048);
    }

    void profileCannotBeStandardStreams()
    {
        for (const QStringList &command : kProfileCommands) {
            const CliRun result = run(command + QStringList{"--profile", "-"});
            QVERIFY2(result.exitCode == 2 && result.errLines().size() == 1,
                     qPrintable(command.join(' ')));
        }
    }

    // Standard input that never ends is read up to the limit and refused.
    void endlessApplyStreamStopsAtTheLimit()
    {
        QProcess process;
        process.setWorkingDirectory(m_dir->path());
        process.start(QStringLiteral(GM_CLI_PATH),
                      {"apply", "-", "--profile", "profile.bin", "--dry-run"});
        QVERIFY(process.waitForStarted());
        const QByteArray chunk(1 << 16, ' ');
        qint64 sent = 0;
        // Far past the limit: a reader without one would wait for more.
        while (process.state() == QProcess::Running && sent < (qint64(64) << 20)) {
            if (process.write(chunk) < 0)
                break;
            sent += chunk.size();
            process.waitForBytesWritten(1000);
        }
        process.closeWriteChannel();
        QVERIFY(process.state() == QProcess::NotRunning || process.waitForFinished(60000));
        QVERIFY(sent < (qint64(64) << 20)); // it stopped reading long before
        QCOMPARE(process.exitCode(), 2);
        const QByteArray err = process.readAllStandardError();
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(err.contains("standard input is larger than"), err);
    }

    void applyInputThatIsNoDescription_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("empty name") << "" << 2 << QByteArray("not an empty one");
        QTest::newRow("too large") << "large.json" << 2 << QByteArray("is larger than");
        QTest::newRow("/dev/zero") << "/dev/zero" << 1 << QByteArray("not a regular file");
        QTest::newRow("/dev/null") << "/dev/null" << 1 << QByteArray("not a regular file");
        QTest::newRow("FIFO") << "fifo" << 1 << QByteArray("not a regular file");
        QTest::newRow("missing") << "missing.json" << 1 << QByteArray("cannot open");
    }
    void applyInputThatIsNoDescription()
    {
        QFETCH(QString, file);
        QFETCH(int, status);
        QFETCH(QByteArray, message);
        QVERIFY(::mkfifo(qPrintable(path("fifo")), 0600) == 0);
        QVERIFY(writeAll(path("large.json"), "{\"dpi\":{}}" + QByteArray(5 << 20, ' ')));
        const QByteArray profile = readAll(path("profile.bin"));
        const CliRun result = runCli({"apply", file, "--profile", "profile.bin"}, m_dir->path());
        QVERIFY(result.finished);
        QCOMPARE(result.exitCode, status);
        QCOMPARE(result.errLines().size(), 1);
        QVERIFY2(result.err.contains(message), result.err);
        QCOMPARE(readAll(path("profile.bin")), profile);
    }
};

QTEST_GUILESS_MAIN(TestHostileInput)
#include "test_hostile_input.moc"
