#include "store/StoreLock.h"

#include "store/FileSteps.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace jlex {

namespace {

struct Held {
    int fd = -1;
    int count = 0;
};

// The locks this process holds, by file; one thread works on the store.
QHash<QString, Held>& heldLocks()
{
    static QHash<QString, Held> locks;
    return locks;
}

} // namespace

StoreLock::StoreLock(const QString& lockFile, int waitMs) : m_file(lockFile)
{
    if (auto it = heldLocks().find(m_file); it != heldLocks().end()) {
        ++it->count;
        m_held = true;
        return;
    }
    if ((m_error = makePrivateDirs(QFileInfo(m_file).absolutePath())))
        return;
    const int fd = ::open(QFile::encodeName(m_file).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_error = errno;
        return;
    }
    if (!fileState(fd).isFile()) {
        ::close(fd);
        m_error = EINVAL;
        return;
    }
    QElapsedTimer waited;
    waited.start();
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited.elapsed() >= waitMs) {
            m_error = errno == EINTR ? EWOULDBLOCK : errno;
            ::close(fd);
            return;
        }
        QThread::msleep(50);
    }
    heldLocks().insert(m_file, {fd, 1});
    m_held = true;
}

StoreLock::~StoreLock()
{
    if (!m_held)
        return;
    auto it = heldLocks().find(m_file);
    if (--it->count == 0) {
        ::close(it->fd); // releases the lock
        heldLocks().erase(it);
    }
}

} // namespace jlex
