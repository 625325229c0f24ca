#pragma once

#include <QString>

namespace jlex {

// The reason a file step failed, as users of a Chinese desktop read it: the
// common causes in Chinese, the system's words only for the rare rest. Never
// names a path, since the message already gives the file as users know it.
QString reasonFor(int error);

} // namespace jlex
