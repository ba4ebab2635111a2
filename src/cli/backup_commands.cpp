// backups and restore: the configurations saved before every write, listed
// and written back.
#include "backup/backup_image.h"
#include "backup/backup_store.h"
#include "command_support.h"
#include "commands.h"
#include "edit_session.h"
#include "file_arguments.h"
#include "image/image_layout.h"
#include "show_output.h"

#include <QRegularExpression>

namespace {

QString idsText(IdPair ids)
{
    return QStringLiteral("%1:%2")
        .arg(ids.vendorId, 4, 16, QLatin1Char('0'))
        .arg(ids.productId, 4, 16, QLatin1Char('0'))
        .toUpper();
}

// What the next newer backup changed, in one short line.
QString changesToNext(const BackupEntry &entry, const BackupEntry *next)
{
    if (!next)
        return QStringLiteral("newest");
    QString error;
    const std::optional<QByteArray> older = readBackupImage(entry.path, &error);
    const std::optional<QByteArray> newer = readBackupImage(next->path, &error);
    if (!older)
        return QStringLiteral("not a profile file");
    if (!newer)
        return QStringLiteral("the next is not a profile file");
    return describeImageChanges(*older, *newer);
}

// The backup to write back and what it is called in messages.
struct RestoreSource
{
    // cppcheck-suppress unusedStructMember ; read through the optional
    QByteArray image;
    // cppcheck-suppress unusedStructMember ; read through the optional
    QString shown;
};

// N (1 = newest) of the backups as they were when the command started.
std::optional<RestoreSource> numberedBackup(const BackupStore &store, int number, int *status)
{
    const QList<BackupEntry> entries = store.list();
    if (entries.isEmpty()) {
        *status = fail(QStringLiteral("there are no backups in \"%1\"").arg(store.folder()));
        return std::nullopt;
    }
    if (number > entries.size()) {
        *status = fail(QStringLiteral("there is no backup %1: \"%2\" holds %3 (see gaming-mousectl "
                                      "backups)")
                           .arg(number)
                           .arg(store.folder())
                           .arg(entries.size()));
        return std::nullopt;
    }
    const QString path = entries.at(number - 1).path;
    QString error;
    const std::optional<QByteArray> image = readBackupImage(path, &error);
    if (!image) {
        *status = fail(error);
        return std::nullopt;
    }
    return RestoreSource{*image, path};
}

std::optional<RestoreSource> fileBackup(const QString &argument, int *status)
{
    InputFile file;
    QString error;
    std::optional<QByteArray> image;
    if (file.open(argument, &error))
        image = readBackupImage(file.path(), &error);
    if (!image) {
        *status = fail(file.shown(error));
        return std::nullopt;
    }
    return RestoreSource{*image, argument};
}

// A backup of a mouse with the other layout would put every section in the
// wrong place.
QString layoutRefusal(const QByteArray &image, const AppState &state)
{
    const int layout = layoutCodeFromByte(quint8(image.at(kLayoutByteOffset)));
    if (layout == state.DeviceLayoutCode)
        return {};
    if (layout == 0)
        return QStringLiteral("it is not a configuration of this mouse: its layout byte is %1")
            .arg(quint8(image.at(kLayoutByteOffset)));
    return QStringLiteral("it is the configuration of a layout-%1 mouse; this one has layout %2")
        .arg(layout)
        .arg(state.DeviceLayoutCode);
}

} // namespace

int runBackups(const SessionOptions &options, const QStringList &args)
{
    Q_UNUSED(options);
    const BackupStore store;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("List the backups, newest first: before every write to the mouse, the "
                       "configuration it held is saved as a profile file in\n  %1\n"
                       "(the newest 30 are kept). Each line: its number for restore, the date "
                       "and time, the mouse's vendor:product ids, the size, and what the next "
                       "newer backup differs in.\n"
                       "Examples: gaming-mousectl backups\n"
                       "          gaming-mousectl restore 2 --dry-run")
            .arg(store.folder()));
    int status = ExitOk;
    if (!parseCommand(parser, args, &status))
        return status;
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("backups takes no arguments"), ExitUsage);

    const QList<BackupEntry> entries = store.list();
    if (entries.isEmpty()) {
        printOut(QStringLiteral("no backups in %1\n").arg(store.folder()));
        return ExitOk;
    }
    QString text = QStringLiteral("backups in %1, newest first\n").arg(store.folder()) +
                   QStringLiteral("  N  DATE        TIME      IDS        BYTES  NEXT DIFFERS IN\n");
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const BackupEntry &entry = entries.at(i);
        text += QStringLiteral("%1  %2  %3  %4  %5\n")
                    .arg(i + 1, 3)
                    .arg(entry.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd  HH:mm:ss")),
                         idsText(entry.ids))
                    .arg(entry.size, 5)
                    .arg(changesToNext(entry, i > 0 ? &entries.at(i - 1) : nullptr));
    }
    printOut(text);
    return ExitOk;
}

int runRestore(const SessionOptions &options, const QStringList &args)
{
    const BackupStore store;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Write a backup back into the mouse: everything it holds, the current DPI level, "
        "report rate, profile and light mode a family-B mouse keeps apart included. Without "
        "an argument the newest backup (as it was before this command) is written; N picks "
        "the N-th of gaming-mousectl backups, FILE any profile file of 34048 bytes. The "
        "configuration the mouse holds is itself saved as a backup first.\n"
        "Examples: gaming-mousectl restore --dry-run\n"
        "          gaming-mousectl restore\n"
        "          gaming-mousectl restore 3\n"
        "          gaming-mousectl restore ~/mouse-backup.bin"));
    parser.addPositionalArgument(QStringLiteral("N|FILE"),
                                 QStringLiteral("The backup's number (1 = newest) or a profile "
                                                "file; a file named by digits only needs a "
                                                "path, such as ./3."),
                                 QStringLiteral("[N|FILE]"));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        QStringLiteral("Read the mouse, print what the restore would change and write nothing."));
    parser.addOption(dryRun);
    int status = ExitOk;
    if (!parseCommand(parser, args, &status))
        return status;
    const QStringList words = parser.positionalArguments();
    if (words.size() > 1)
        return fail(QStringLiteral("restore takes at most one N or FILE"), ExitUsage);
    const QString which = words.value(0, QStringLiteral("1"));
    if (const QString empty = emptyValueError(which, QStringLiteral("restore")); !empty.isEmpty())
        return fail(empty, ExitUsage);

    // The choice is made against the backups as they are now, before this
    // command's own backup joins them.
    std::optional<RestoreSource> source;
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    if (digits.match(which).hasMatch()) {
        bool number = false;
        const int n = which.toInt(&number);
        if (!number || n < 1)
            return fail(QStringLiteral("the backup number must be 1 or more, not \"%1\"")
                            .arg(which.left(20)),
                        ExitUsage);
        source = numberedBackup(store, n, &status);
    } else {
        source = fileBackup(which, &status);
    }
    if (!source)
        return status;

    const bool dry = parser.isSet(dryRun);
    return withSession(options, [&source, dry](MouseSession &session) {
        int result = ExitOk;
        if (!requireConnected(session, &result))
            return result;
        Configuration &config = session.config();
        if (const QString refusal = layoutRefusal(source->image, config.state());
            !refusal.isEmpty())
            return fail(
                QStringLiteral("\"%1\" cannot be restored: %2").arg(source->shown, refusal));
        if (dry) {
            ConfigurationTransfer &transfer = session.link().transfer;
            const QJsonObject before = describeConfiguration(config, session.macros());
            transfer.takeRestoredImage(source->image);
            return printDryRun(before, describeConfiguration(config, session.macros()),
                               source->image != transfer.knownMouseImage());
        }
        const QByteArray image = source->image;
        if (const int written = writeToMouse(
                session, QStringLiteral("restoring"), QStringLiteral("restoring the mouse failed"),
                [&image](ConfigurationTransfer &t) { return t.restoreImage(image); });
            written != ExitOk)
            return written;
        printOut(QStringLiteral("restored %1\n").arg(source->shown));
        return int(ExitOk);
    });
}
