#include "store/FileSteps.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jlex {

namespace {

QByteArray local(const QString& path)
{
    return QFile::encodeName(path);
}

int copyContent(const QString& from, const QString& to)
{
    const int in = ::open(local(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    const int out = ::open(local(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        return error;
    }
    int error = 0;
    char block[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        for (ssize_t done = 0; done < got && !error;) {
            const ssize_t n = ::write(out, block + done, size_t(got - done));
            if (n < 0 && errno != EINTR)
                error = errno;
            done += n > 0 ? n : 0;
        }
        if (error)
            break;
    }
    if (!error && ::fsync(out) != 0 && errno != EINVAL)
        error = errno;
    if (::close(out) != 0 && !error)
        error = errno;
    ::close(in);
    if (error)
        ::unlink(local(to).constData());
    return error;
}

} // namespace

QString followLinks(const QString& path)
{
    QFileInfo info(path);
    // As many hops as the system allows; a loop is left for the write to report.
    for (int hops = 0; hops < 40 && info.isSymLink(); ++hops)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.absoluteFilePath();
}

int syncDirectoryOf(const QString& path)
{
    const int fd = ::open(local(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = 0;
    if (::fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    ::close(fd);
    return error;
}

int renameFile(const QString& from, const QString& to)
{
    if (::rename(local(from).constData(), local(to).constData()) != 0)
        return errno;
    return syncDirectoryOf(to);
}

int removeFile(const QString& path)
{
    return ::unlink(local(path).constData()) == 0 ? 0 : errno;
}

int keepAs(const QString& path, const QString& name)
{
    if (::link(local(path).constData(), local(name).constData()) == 0)
        return syncDirectoryOf(name);
    if (errno != EPERM && errno != EXDEV && errno != EOPNOTSUPP && errno != EMLINK)
        return errno;
    if (const int error = copyContent(path, name))
        return error;
    return syncDirectoryOf(name);
}

QString hiddenNameBeside(const QString& path, const char* purpose)
{
    const QFileInfo info(path);
    QByteArray pattern = local(info.absolutePath() + QStringLiteral("/.") + info.fileName()) + '.' +
                         purpose + "-XXXXXX";
    // Reserve the name, then free it for the link or copy that takes it.
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return {};
    ::close(fd);
    ::unlink(pattern.constData());
    return QFile::decodeName(pattern);
}

} // namespace jlex
