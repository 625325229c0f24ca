#pragma once

#include <QString>

namespace jlex {

// The About box: what the program does, the version, and what it changes.
QString aboutText(const QString& whatItDoes, const QString& whatItChanges);

} // namespace jlex
