#include "runtime_lock_file.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
constexpr int kPollMs = 50;

QString defaultFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}
} // namespace

RuntimeLockFile::RuntimeLockFile(int waitMs, QString folder)
    : m_waitMs(waitMs), m_folder(folder.isEmpty() ? defaultFolder() : std::move(folder))
{}

RuntimeLockFile::~RuntimeLockFile()
{
    release();
}

QString RuntimeLockFile::pathFor(const IdPair &ids) const
{
    const auto hex = [](quint32 id) {
        return QString::number(id & 0xFFFF, 16).rightJustified(4, QLatin1Char('0'));
    };
    return QDir(m_folder).filePath(
        QStringLiteral("gaming-mouse-%1-%2.lock").arg(hex(ids.vendorId), hex(ids.productId)));
}

bool RuntimeLockFile::acquire(const IdPair &ids)
{
    release();
    const QByteArray path = QFile::encodeName(pathFor(ids));
    // O_NOFOLLOW: a link planted in a shared temporary folder is not followed.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    // The wait is measured on the clock, not counted in naps: on a busy
    // machine each nap lasts longer than asked, and the wait with it.
    const QDeadlineTimer deadline(m_waitMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return true;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired())
            break;
        QThread::msleep(std::min<qint64>(kPollMs, std::max<qint64>(1, deadline.remainingTime())));
    }
    ::close(fd);
    return false;
}

void RuntimeLockFile::release()
{
    if (m_fd < 0)
        return;
    // The file stays: removing it would race with a program that just
    // opened it and is about to lock it.
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}
