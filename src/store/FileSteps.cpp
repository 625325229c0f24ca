#include "store/FileSteps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace jlex {

namespace {

QByteArray local(const QString& path)
{
    return QFile::encodeName(path);
}

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

FileState stateOf(const struct stat& st)
{
    FileState state;
    state.kind = S_ISREG(st.st_mode)   ? FileState::Kind::File
                 : S_ISDIR(st.st_mode) ? FileState::Kind::Directory
                 : S_ISLNK(st.st_mode) ? FileState::Kind::Link
                                       : FileState::Kind::Other;
    state.device = st.st_dev;
    state.inode = st.st_ino;
    state.size = st.st_size;
    state.modified = st.st_mtim;
    state.changed = st.st_ctim;
    state.mode = st.st_mode & 07777;
    state.owner = st.st_uid;
    state.group = st.st_gid;
    state.links = st.st_nlink;
    return state;
}

FileState failed(int error)
{
    FileState state;
    if (error != ENOENT) {
        state.kind = FileState::Kind::Failed;
        state.error = error;
    }
    return state;
}

} // namespace

bool FileState::sameFileAs(const FileState& other) const
{
    return kind == other.kind && device == other.device && inode == other.inode &&
           size == other.size && sameTime(modified, other.modified);
}

bool FileState::operator==(const FileState& other) const
{
    return sameFileAs(other) && sameTime(changed, other.changed) && error == other.error &&
           mode == other.mode && owner == other.owner;
}

FileState fileState(const QString& path, bool followLinks)
{
    struct stat st {};
    const int r =
        followLinks ? ::stat(local(path).constData(), &st) : ::lstat(local(path).constData(), &st);
    return r == 0 ? stateOf(st) : failed(errno);
}

FileState fileState(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? stateOf(st) : failed(errno);
}

int syncDirectory(const QString& dir)
{
    const int fd = ::open(local(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = 0;
    if (::fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    ::close(fd);
    return error;
}

int syncDirectoryOf(const QString& path)
{
    return syncDirectory(QFileInfo(path).absolutePath());
}

int renameFile(const QString& from, const QString& to, bool sync)
{
    if (::rename(local(from).constData(), local(to).constData()) != 0)
        return errno;
    return sync ? syncDirectoryOf(to) : 0;
}

int removeFile(const QString& path)
{
    return ::unlink(local(path).constData()) == 0 ? 0 : errno;
}

int linkFile(const QString& from, const QString& to)
{
    return ::link(local(from).constData(), local(to).constData()) == 0 ? 0 : errno;
}

int makePrivateDirs(const QString& dir)
{
    const QString clean = QDir::cleanPath(dir);
    const FileState state = fileState(clean, true);
    if (state.kind == FileState::Kind::Directory)
        return 0;
    if (state.exists())
        return state.kind == FileState::Kind::Failed ? state.error : ENOTDIR;
    const QString parent = QFileInfo(clean).absolutePath();
    if (parent != clean) {
        if (const int error = makePrivateDirs(parent))
            return error;
    }
    if (::mkdir(local(clean).constData(), 0700) != 0 && errno != EEXIST)
        return errno;
    // The new name must survive a power cut before anything is written under it.
    return syncDirectory(parent);
}

int hiddenNameBeside(const QString& path, const char* purpose, QString* name)
{
    const QFileInfo info(path);
    const QString hidden =
        info.fileName().startsWith(u'.') ? info.fileName() : u'.' + info.fileName();
    QByteArray pattern =
        local(info.absolutePath() + u'/' + hidden) + ".jlex-" + purpose + "-XXXXXX";
    // Reserve the name, then free it for the link or rename that takes it.
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    ::close(fd);
    ::unlink(pattern.constData());
    *name = QFile::decodeName(pattern);
    return 0;
}

int readBlocks(int fd, qint64 from, qint64 to, const std::function<bool(QByteArrayView)>& use)
{
    constexpr qint64 kBlock = qint64(1) << 20;
    QByteArray block(qsizetype(std::clamp<qint64>(to - from, 0, kBlock)), Qt::Uninitialized);
    for (qint64 at = from; at < to;) {
        const ssize_t got =
            ::pread(fd, block.data(), size_t(std::min<qint64>(block.size(), to - at)), off_t(at));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0 || !use(QByteArrayView(block.constData(), qsizetype(got))))
            break;
        at += got;
    }
    return 0;
}

QByteArray readBytes(int fd, qint64 at, qint64 size, int* error)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min<qint64>(size, qint64(1) << 20)));
    const qint64 to = size > std::numeric_limits<qint64>::max() - at
                          ? std::numeric_limits<qint64>::max()
                          : at + size;
    *error = readBlocks(fd, at, to, [&](QByteArrayView b) {
        bytes.append(b);
        return true;
    });
    return bytes;
}

mode_t defaultFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int openForReading(const QString& path)
{
    // Non-blocking, so a FIFO planted at the name cannot hang the program.
    const int fd =
        ::open(local(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return -errno;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return -error;
    }
    return fd;
}

} // namespace jlex
