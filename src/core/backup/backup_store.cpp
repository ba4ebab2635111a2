#include "backup/backup_store.h"

#include "records/image_buffers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTimeZone>

#include <algorithm>

namespace {

// A second backup within one second gets the next number; more than this
// many in one second means something else is making files here.
constexpr int kMaxSequence = 1000;

QString hexId(quint32 id)
{
    return QStringLiteral("%1").arg(id & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper();
}

bool newerThan(const BackupEntry &a, const BackupEntry &b)
{
    if (a.time != b.time)
        return a.time > b.time;
    if (a.sequence != b.sequence)
        return a.sequence > b.sequence;
    return a.path > b.path;
}

} // namespace

BackupStore::BackupStore(QString folder) : m_folder(std::move(folder)) {}

QString BackupStore::defaultFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base + QStringLiteral("/gaming-mouse/backups"));
}

QString BackupStore::fileName(const QDateTime &time, IdPair ids, int sequence)
{
    QString name = time.toUTC().toString(QStringLiteral("yyyy-MM-dd_HHmmss")) +
                   QStringLiteral("Z_") + hexId(ids.vendorId) + QLatin1Char('-') +
                   hexId(ids.productId);
    if (sequence > 1)
        name += QLatin1Char('_') + QString::number(sequence);
    return name + QStringLiteral(".bin");
}

std::optional<BackupEntry> BackupStore::parseName(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{4}-\\d{2}-\\d{2}_\\d{6})Z_([0-9A-F]{4})-([0-9A-F]{4})(?:_([1-9]\\d{0,3}))?\\.bin$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    const QDateTime local =
        QDateTime::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd_HHmmss"));
    if (!local.isValid())
        return std::nullopt;
    BackupEntry entry;
    entry.time = QDateTime(local.date(), local.time(), QTimeZone::utc());
    entry.ids = {match.captured(2).toUInt(nullptr, 16), match.captured(3).toUInt(nullptr, 16)};
    entry.sequence = match.captured(4).isEmpty() ? 1 : match.captured(4).toInt();
    return entry;
}

QList<BackupEntry> BackupStore::list() const
{
    QList<BackupEntry> entries;
    const QFileInfoList files =
        QDir(m_folder).entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::Hidden);
    for (const QFileInfo &file : files) {
        std::optional<BackupEntry> entry = parseName(file.fileName());
        if (!entry)
            continue;
        entry->path = file.absoluteFilePath();
        entry->size = file.size();
        entries.append(*entry);
    }
    std::sort(entries.begin(), entries.end(), newerThan);
    return entries;
}

BackupResult BackupStore::save(const QByteArray &image, IdPair ids, const QDateTime &now) const
{
    const QByteArray exact = image.left(kImageSize).leftJustified(kImageSize, char(0xFF));
    const bool existed = QFileInfo(m_folder).isDir();
    if (!existed && !QDir().mkpath(m_folder))
        return {BackupResult::Status::Failed,
                {},
                QStringLiteral("cannot create the backup folder \"%1\"").arg(m_folder)};
    // Macros may hold whatever was typed: the folder is the user's alone.
    if (!existed)
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QDateTime utc = now.toUTC();
    QDateTime time(utc.date(), QTime(utc.time().hour(), utc.time().minute(), utc.time().second()),
                   QTimeZone::utc());
    int sequence = 1;
    const QList<BackupEntry> entries = list();
    if (!entries.isEmpty()) {
        const BackupEntry &newest = entries.constFirst();
        QString ignored;
        if (newest.size == kImageSize && readBackupImage(newest.path, &ignored) == exact)
            return {BackupResult::Status::Unchanged, newest.path, {}};
        if (newest.time >= time) {
            time = newest.time;
            sequence = newest.sequence + 1;
        }
    }
    BackupResult result = write(exact, ids, time, sequence);
    if (result.ok())
        prune();
    return result;
}

BackupResult BackupStore::write(const QByteArray &image, IdPair ids, const QDateTime &time,
                                int sequence) const
{
    const auto failed = [this](const QString &why) {
        return BackupResult{
            BackupResult::Status::Failed,
            {},
            QStringLiteral("cannot write a backup in \"%1\": %2").arg(m_folder, why)};
    };
    // Claiming the name first (it must not exist) keeps two writers, or a
    // file put there by hand, from ever being replaced.
    QString path;
    QFile claim;
    for (; sequence <= kMaxSequence; ++sequence) {
        path = QDir(m_folder).filePath(fileName(time, ids, sequence));
        claim.setFileName(path);
        if (claim.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (!QFileInfo::exists(path))
            return failed(claim.errorString());
    }
    if (!claim.isOpen())
        return failed(QStringLiteral("too many backups within one second"));
    claim.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    claim.close();

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size() || !file.commit()) {
        const QString why = file.errorString();
        QFile::remove(path);
        return failed(why);
    }
    return {BackupResult::Status::Saved, path, {}};
}

void BackupStore::prune() const
{
    const QList<BackupEntry> entries = list();
    for (qsizetype i = kKeptBackups; i < entries.size(); ++i)
        QFile::remove(entries.at(i).path);
}

std::optional<QByteArray> readBackupImage(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open \"%1\": %2").arg(path, file.errorString());
        return std::nullopt;
    }
    // One byte more than a profile tells a longer file from one of the size.
    const QByteArray bytes = file.read(kImageSize + 1);
    if (bytes.size() != kImageSize) {
        *error = QStringLiteral("\"%1\" is not a profile file: it has %2 bytes, not %3")
                     .arg(path)
                     .arg(file.size() > 0 ? file.size() : bytes.size())
                     .arg(kImageSize);
        return std::nullopt;
    }
    return bytes;
}
