#pragma once

#include <QString>

namespace jlex {

// Whether the store holds an entry by this name: an ordinary file or a
// directory counts; anything else, or a missing directory on the way, does
// not. On Windows a hidden or system file counts as absent, as the IME would
// not see it either.
bool storeEntryExists(const QString& hostPath);

} // namespace jlex
