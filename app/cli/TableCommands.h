#pragma once

#include "cli/Invocation.h"

namespace jlex::cli {

// The commands that only read the built-in tables; each returns the exit status.
int exportTables(const Invocation& invocation);
int lookupKeys(const Invocation& invocation);
int searchText(const Invocation& invocation);

} // namespace jlex::cli
