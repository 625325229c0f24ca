#pragma once

#include <QString>

namespace jlex::cli {

// The whole of --help, complete enough to serve as the manual page.
QString helpText();

} // namespace jlex::cli
