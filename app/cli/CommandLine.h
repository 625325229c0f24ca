#pragma once

#include <QStringList>

namespace jlex::cli {

// Reads the arguments (the program's name first), runs the command they name
// and returns the exit status.
int runCommandLine(const QStringList& arguments);

} // namespace jlex::cli
