#include "card/cardlock.h"

#include "card/nativepath.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file at path opened for the lock: for reading, which a local lock
// needs alone (and so raises no "written" event in file watchers); for
// writing too when asked, as a network folder grants an exclusive lock
// only then. -1, with status, when it cannot be opened.
int openForLock(const QString &path, bool writing, LockStatus &status)
{
    const int fd = openNative(path, (writing ? O_RDWR : O_RDONLY) | O_NONBLOCK);
    status = fd < 0 && errno == ENOENT ? LockStatus::Missing : LockStatus::Failed;
    struct stat info { };
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

enum class Locking { Done, Busy, NeedsWriting, Failed };

// Takes the lock of fd, polling so that a writer that never lets go costs
// patience at most.
Locking lockWithin(int fd, QDeadlineTimer &deadline)
{
    auto pause = std::chrono::microseconds(200);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EBADF)
            return Locking::NeedsWriting;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return Locking::Failed;
        if (deadline.hasExpired())
            return Locking::Busy;
        QThread::usleep(static_cast<unsigned long>(pause.count()));
        pause = std::min(pause * 2, std::chrono::microseconds(20'000));
    }
    return Locking::Done;
}

// Whether fd is still the file at path: a writer may have replaced it
// while we waited for its lock.
bool stillAt(int fd, const QString &path, CardFingerprint &fingerprint)
{
    const auto locked = fingerprintOf(fd);
    const auto current = cardFingerprint(path);
    if (!locked || !current || locked->device != current->device || locked->inode != current->inode)
        return false;
    fingerprint = *locked;
    return true;
}

}   // namespace

CardLock::CardLock(const QString &path, std::chrono::milliseconds patience)
{
    QDeadlineTimer deadline(patience);
    bool writing = false;
    for (;;) {
        m_fd = openForLock(path, writing, m_status);
        if (m_fd < 0)
            return;
        const Locking locking = lockWithin(m_fd, deadline);
        if (locking == Locking::Done && stillAt(m_fd, path, m_fingerprint)) {
            m_status = LockStatus::Held;
            return;
        }
        ::close(m_fd);
        m_fd = -1;
        if (locking == Locking::Failed || (locking == Locking::NeedsWriting && writing))
            return;
        writing = writing || locking == Locking::NeedsWriting;
        if (locking == Locking::Busy || deadline.hasExpired()) {
            m_status = LockStatus::Busy;
            return;
        }
    }
}

CardLock::~CardLock()
{
    if (m_fd >= 0)
        ::close(m_fd);   // lets the lock go
}
