#pragma once

#include <QString>
#include <QStringList>

namespace jlex {

// jlex writes every new file beside its final name under a hidden name of its
// own, ".<name>.jlex-XXXXXX", and keeps an old content aside as
// ".<name>.jlex-old-XXXXXX" until an operation has succeeded. A run that was
// killed or lost its power leaves them behind; no one else makes such names.
bool isLeftoverName(const QString& fileName);
// Whether the leftover kept an old content aside, rather than a new one never put in place.
bool isKeptAsideName(const QString& fileName);

// The leftovers in these directories, as paths; links and directories are never taken.
QStringList leftoversIn(const QStringList& dirs);

// Takes a file's name away. A large file no other name holds goes into
// `trashDir` (jlex's own, so an input method's directory gets nothing new) as
// ".<name>.jlex-trash-XXXXXX", and the next operation frees its blocks while
// it works, instead of this one keeping its caller waiting for that.
void throwAway(const QString& path, const QString& trashDir);
QStringList trashIn(const QStringList& dirs);

} // namespace jlex
