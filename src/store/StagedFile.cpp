#include "store/StagedFile.h"

#include "store/FileSteps.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jlex {

StagedFile::StagedFile(const QString& target) : m_final(followLinks(target)) {}

StagedFile::~StagedFile()
{
    discard();
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

bool StagedFile::open(OpenMode mode)
{
    Q_ASSERT(mode == WriteOnly);
    const QFileInfo info(m_final);
    if (info.isDir())
        return failWith(EISDIR);
    QByteArray pattern =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()) +
        ".jlex-XXXXXX";
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0)
        return failWith(errno);
    m_temp = pattern;
    // mkostemp makes the file private to its owner; a phrase file is not.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(m_fd, 0666 & ~mask) != 0) {
        const int error = errno;
        discard();
        return failWith(error);
    }
    return QIODevice::open(mode | Unbuffered);
}

bool StagedFile::openAsLinkTo(const QString& source)
{
    const QString name = hiddenNameBeside(m_final, "jlex");
    if (name.isEmpty())
        return failWith(errno);
    if (const int error = keepAs(followLinks(source), name))
        return failWith(error);
    m_temp = QFile::encodeName(name);
    m_fd = ::open(m_temp.constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        const int error = errno;
        discard();
        return failWith(error);
    }
    return QIODevice::open(ReadOnly | Unbuffered);
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

bool StagedFile::commit()
{
    if (m_fd < 0)
        return false;
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
    if (const int error = renameFile(QFile::decodeName(m_temp), m_final)) {
        discard();
        return failWith(error);
    }
    m_temp.clear();
    return true;
}

} // namespace jlex
