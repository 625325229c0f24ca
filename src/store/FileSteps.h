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

// An unused hidden name beside a path, of jlex's own pattern (see Leftovers.h),
// in *name; 0 or the error number of why none could be had.
int hiddenNameBeside(const QString& path, const char* purpose, QString* name);

// Every read of a file goes through these two: at a position, without moving
// the open file's offset; a read a signal interrupted is made again, a short
// one is continued, and a failing one gives its error number.

// Bytes [from, to) in blocks handed to `use`. A file that ends before `to`
// ends the reading there; `use` returning false (a failed write, which the
// caller tells itself) stops it. Returns 0 or the read's error number.
int readBlocks(int fd, qint64 from, qint64 to, const std::function<bool(QByteArrayView)>& use);
// Up to `size` bytes at `at`, fewer only where the file ends; *error is 0 or
// the read's error number.
QByteArray readBytes(int fd, qint64 at, qint64 size, int* error);

// How copying one file into another ended: which side failed, and its error
// number (0 for a write whose device keeps its own).
struct CopyResult {
    enum class Failed { Nothing, Read, Write };
    Failed failed = Failed::Nothing;
    int error = 0;

    bool done() const { return failed == Failed::Nothing; }
    static CopyResult readFailed(int error) { return {Failed::Read, error}; }
    static CopyResult writeFailed(int error = 0) { return {Failed::Write, error}; }
};

// What a new file gets when nothing decides otherwise: 0666 less the umask.
mode_t defaultFileMode();

// Opens a regular file for reading without following a link at its name:
// the descriptor, or minus the error number (EINVAL for anything but a file).
int openForReading(const QString& path);

} // namespace jlex
