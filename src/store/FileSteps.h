#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <sys/stat.h>

namespace jlex {

// Small file-system steps that report the system's error number (0 on
// success), so a failure can be explained in the user's words.

// What a name stands for now. Two equal states mean the file was not
// touched in between: a change of content moves its size or times, a
// replacement its inode.
struct FileState {
    enum class Kind { Absent, File, Directory, Link, Other, Failed };
    Kind kind = Kind::Absent;
    int error = 0; // why it could not be looked at, for Failed
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    nlink_t links = 0;

    bool exists() const { return kind != Kind::Absent; }
    bool isFile() const { return kind == Kind::File; }
    // The same file, its content not written since: same inode, size and
    // modification time. (Linking and renaming move only the change time.)
    bool sameFileAs(const FileState& other) const;
    // Nothing about it changed, its mode and owner included.
    bool operator==(const FileState& other) const;
};

// lstat(2), or stat(2) when links are to be followed.
FileState fileState(const QString& path, bool followLinks = false);
FileState fileState(int fd);

// Makes the latest changes of names in a directory survive a power cut.
int syncDirectory(const QString& dir);
int syncDirectoryOf(const QString& path);

// rename(2), then, unless told otherwise, the directory synced. Replaces an
// existing file, and a link at the new name is replaced, never followed.
int renameFile(const QString& from, const QString& to, bool sync = true);
int removeFile(const QString& path);
// A second name for a file, in the same file system; the directory is not synced.
int linkFile(const QString& from, const QString& to);

// The missing directories of a path, made private (0700): no one else has
// any business in the directories jlex makes. Existing ones stay as they are.
int makePrivateDirs(const QString& dir);

// An unused hidden name beside a path, of jlex's own pattern (see Leftovers.h).
QString hiddenNameBeside(const QString& path, const char* purpose);

// Reads bytes [from, to) of an open file, without moving its offset, in
// blocks handed to `use` (false: stop, as a failed write). Returns 0, EIO
// when `use` stopped it, or the read's error number; a file that ends
// before `to` simply ends the reading there.
int readBlocks(int fd, qint64 from, qint64 to, const std::function<bool(QByteArrayView)>& use);

// What a new file gets when nothing decides otherwise: 0666 less the umask.
mode_t defaultFileMode();

// Opens a regular file for reading without following a link at its name:
// the descriptor, or minus the error number (EINVAL for anything but a file).
int openForReading(const QString& path);

} // namespace jlex
