#pragma once

#include <QString>

namespace jlex {

// Small file-system steps that report the system's error number (0 on
// success), so a failure can be explained in the user's words.

// The file a path finally stands for, symbolic links followed; the path
// itself when it is no link.
QString followLinks(const QString& path);

// Makes the latest renames in a directory survive a power cut.
int syncDirectoryOf(const QString& path);

// rename(2), then the directory synced. Replaces an existing file.
int renameFile(const QString& from, const QString& to);

int removeFile(const QString& path);

// Keeps what a file holds now under another name in the same directory: a
// hard link where the file system has them, a complete copy otherwise.
int keepAs(const QString& path, const QString& name);

// An unused hidden name beside a path, for keeping its old content.
QString hiddenNameBeside(const QString& path, const char* purpose);

} // namespace jlex
