#pragma once

#include <QString>

namespace jlex::cli {

// The whole of --help, complete enough to serve as the manual page: jlex(1) is
// this text read back by tools/docgen, so keep to its layout (headings ending
// in "：", items indented two spaces with their text six in).
QString helpText();

} // namespace jlex::cli
