#pragma once

#include <QString>

namespace jlex {

// The user's directories as the XDG base directory rules define them, read
// afresh each time. A relative XDG_* value is ignored, as the rules say; a
// missing or relative HOME falls back to the account's home in the password
// database. Each returns empty text, with the reason in *problem, when no
// sound directory can be named.
QString homeDirectory(QString* problem);
QString dataHome(QString* problem);
QString configHome(QString* problem);

// The login name of the user jlex runs as.
QString accountName();

} // namespace jlex
