#include "store/StagedFile.h"

#include "store/FileSteps.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jlex {

StagedFile::StagedFile(const QString& target) : m_target(target) {}

StagedFile::~StagedFile()
{
    discard();
}

QString StagedFile::stagedPath() const
{
    return QFile::decodeName(m_temp);
}

bool StagedFile::failWith(int error)
{
    m_errno = error;
    setErrorString(QString::fromLocal8Bit(strerror(error)));
    return false;
}

void StagedFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.isEmpty())
        ::unlink(m_temp.constData());
    m_temp.clear();
}

void StagedFile::release()
{
    m_temp.clear();
}

bool StagedFile::create(mode_t mode, uid_t owner, gid_t group)
{
    const QFileInfo info(m_target);
    QByteArray pattern =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()) +
        ".jlex-XXXXXX";
    // mkostemp makes the file 0600: no one else sees a byte before the mode is set.
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0)
        return failWith(errno);
    m_temp = pattern;
    if ((owner != uid_t(-1) && ::fchown(m_fd, owner, group) != 0) ||
        ::fchmod(m_fd, mode & 0777) != 0) {
        const int error = errno;
        discard();
        return failWith(error);
    }
    return QIODevice::open(WriteOnly | Unbuffered);
}

bool StagedFile::linkTo(int fd, const QString& path)
{
    QString name;
    if (const int error = hiddenNameBeside(m_target, "link", &name))
        return failWith(error);
    // Through the descriptor, so the name goes to the very file that was read
    // even if someone has put another file at its path since.
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    int error = 0;
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, QFile::encodeName(name).constData(),
                 AT_SYMLINK_FOLLOW) != 0) {
        error = errno;
        // Without /proc (a bare chroot) the path is the next best thing.
        if (error == ENOENT && !QFileInfo::exists(QStringLiteral("/proc/self")))
            error = linkFile(path, name);
    }
    if (error)
        return failWith(error);
    m_temp = QFile::encodeName(name);
    return true;
}

CopyResult StagedFile::copyRange(int fd, qint64 from, qint64 to)
{
    loff_t at = from;
    while (at < to) {
        const ssize_t n = ::copy_file_range(fd, &at, m_fd, nullptr, size_t(to - at), 0);
        if (n > 0)
            continue;
        if (n == 0)
            return {}; // the file shrank meanwhile; the caller sees it changed
        if (errno == EINTR)
            continue;
        // Where the kernel cannot copy between these files, or its copy
        // failed and would not say on which side, through a buffer: there a
        // read and a write fail apart.
        bool wrote = true;
        const int error = readBlocks(fd, at, to, [&](QByteArrayView b) {
            return wrote = writeData(b.data(), b.size()) == b.size();
        });
        if (!wrote)
            return CopyResult::writeFailed(m_errno);
        return error ? CopyResult::readFailed(error) : CopyResult{};
    }
    return {};
}

bool StagedFile::finish()
{
    if (m_fd < 0)
        return !m_temp.isEmpty();
    // fsync and close are where some file systems first report a full disk.
    if (::fsync(m_fd) != 0 && errno != EINVAL) {
        const int error = errno;
        discard();
        return failWith(error);
    }
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0) {
        const int error = errno;
        discard();
        return failWith(error);
    }
    QIODevice::close();
    return true;
}

qint64 StagedFile::readData(char*, qint64)
{
    return -1;
}

qint64 StagedFile::writeData(const char* data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(m_fd, data + done, size_t(size - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failWith(errno);
            return -1;
        }
        done += n;
    }
    return done;
}

} // namespace jlex
