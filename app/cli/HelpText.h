#pragma once

#include <QString>

namespace jlex::cli {

// The whole of --help, complete enough to serve as the manual page: jlex(1) is
// this text read back by tools/docgen, so keep to its layout (headings ending
// in "：", items indented two spaces with their text six in).
QString helpText();

// Text made of pieces, broken into lines as --help's descriptions are: at
// most 76 columns, a Chinese character taking two, never inside a word of
// Latin letters.
QString wrappedForHelp(const QString& text);

} // namespace jlex::cli
