#include "databaselock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Without blocking on a FIFO, and never handed on to a program started later.
constexpr int kOpenFlags = O_NONBLOCK | O_CLOEXEC | O_NOCTTY;

int openDatabaseFile(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | kOpenFlags, 0644);
    if (fd >= 0)
        return fd;
    return ::open(path.constData(), O_RDONLY | kOpenFlags);
}

} // namespace

DatabaseLock::~DatabaseLock()
{
    release();
}

DatabaseLock::Outcome DatabaseLock::take(const QString &path)
{
    release();
    const int fd = openDatabaseFile(QFile::encodeName(path));
    if (fd < 0)
        return Outcome::Unavailable;
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        m_fd = fd;
        return Outcome::Taken;
    }
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return held ? Outcome::HeldElsewhere : Outcome::Unavailable;
}

void DatabaseLock::release()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
}
