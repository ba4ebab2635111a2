#include "cli_test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
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

// What a file argument is, as far as a command could change it.
QByteArray describe(const QString &path)
{
    const QFileInfo info(path);
    return QByteArray::number(info.isSymLink()) + QByteArray::number(info.isDir()) +
           (info.isFile() ? readAll(path) : QByteArray("node"));
}

} // namespace

// File arguments that are no files of the kind a command takes: each is
// refused in one line and nothing changes.
class TestHostileInput : public QObject, protected CliTestFolder
{
    Q_OBJECT

private:
    CliRun run(const QStringList &args) const { return onMouse(args); }
private slots:
    void init()
    {
        QVERIFY(renew());
        QCOMPARE(run({"read", "-o", "profile.bin"}).exitCode, 0); // mouse.mem now exists
        QCOMPARE(run({"macro", "export", "2", "m.bin"}).exitCode, 0);
        QCOMPARE(run({"macro", "export-all", "all.bin"}).exitCode, 0);
        QVERIFY(writeAll(path("change.json"), R"({"dpi":{"levels":["800","6400"]}})"));
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
            if (::mknod(qPrintable(path("node")), S_IFCHR | 0600, makedev(1, 3)) != 0)
                QSKIP("making a device node needs root");
            QVERIFY(kind.startsWith("link") ? QFile::link(path("node"), target)
                                            : QFile::rename(path("node"), target));
        } else if (kind == "FIFO") {
            QVERIFY(::mkfifo(qPrintable(target), 0600) == 0);
        } else if (kind == "folder") {
            QVERIFY(QDir(workFolder()).mkdir("target"));
        } else {
            QVERIFY(writeAll(target, kind == "empty file"  ? QByteArray()
                                     : kind == "text file" ? QByteArray("hello")
                                                           : readAll(path("m.bin"))));
        }
        const QByteArray before = describe(target);
        const QByteArray memory = readAll(path("mouse.mem"));

        const CliRun result = run(command + QStringList{"--profile", "target"});
        const char *refusal =
            kind.endsWith("file") ? "is not a profile file" : "is not a regular file";
        QVERIFY2(result.finished && result.exitCode == 1 && result.errLines().size() == 1 &&
                     result.err.contains(refusal),
                 result.err);
        QCOMPARE(describe(target), before);
        QCOMPARE(readAll(path("mouse.mem")), memory);
    }

    // A link to a profile file changes the file; the link stays a link.
    void profileThroughALink()
    {
        QVERIFY(QFile::link(path("profile.bin"), path("link.bin")));
        const QByteArray before = readAll(path("profile.bin"));
        const QStringList rename = {"macro", "rename", "3", "linked", "--profile", "link.bin"};
        QCOMPARE(runCli(rename, workFolder()).exitCode, 0);
        QVERIFY(QFileInfo(path("link.bin")).isSymLink());
        QVERIFY(readAll(path("profile.bin")) != before);
    }

    // Standard input that never ends is read up to the limit and refused.
    void endlessApplyStreamStopsAtTheLimit()
    {
        QProcess process;
        process.setWorkingDirectory(workFolder());
        process.start(QStringLiteral(GM_CLI_PATH),
                      {"apply", "-", "--profile", "profile.bin", "--dry-run"});
        QVERIFY(process.waitForStarted());
        // Far past the limit, and never closed: a reader without one would
        // wait for more.
        const QByteArray endless(qint64(64) << 20, ' ');
        QVERIFY(process.write(endless) == endless.size());
        QVERIFY(process.waitForFinished(60000));
        QVERIFY(process.bytesToWrite() > 0); // it stopped reading long before
        QCOMPARE(process.exitCode(), 2);
        const QByteArray err = process.readAllStandardError();
        QVERIFY2(err.count('\n') == 1 && err.contains("standard input is larger than"), err);
    }
};

QTEST_GUILESS_MAIN(TestHostileInput)
#include "test_hostile_input.moc"
