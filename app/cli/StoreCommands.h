#pragma once

#include "cli/Invocation.h"

namespace jlex::cli {

// The commands that work on the input method's store, as the window's buttons
// do, and its history; each returns the exit status.
int showStatus(const Invocation& invocation);
int installTables(const Invocation& invocation);
int backUp(const Invocation& invocation);
int restoreBackup(const Invocation& invocation);
int uninstallTables(const Invocation& invocation);
int showHistory(const Invocation& invocation);

} // namespace jlex::cli
