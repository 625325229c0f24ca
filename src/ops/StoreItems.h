#pragma once

#include "ops/StoreChange.h"
#include "store/StorePaths.h"

namespace jlex {

// A store file under the name users know it by, its path composed now.
StoreItem storeItem(const StorePaths& paths, StoreFile file);
// The phrase file at the path the last survey held.
StoreItem heldPhrases(const StorePaths& paths, const QString& heldPhrasePath);

} // namespace jlex
