#pragma once

#include <QString>

namespace jlex {

// Whether the store holds an entry by this name: an ordinary file or a
// directory counts; anything else, or a missing directory on the way, does
// not. On Windows a hidden or system file counts as absent, as the IME would
// not see it either.
bool storeEntryExists(const QString& windowsPath);

// An ordinary file that can be read: what the operations need of a file they
// are about to copy or move.
bool isOrdinaryFile(const QString& windowsPath);

} // namespace jlex
