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

} // namespace jlex
