#pragma once

#include "store/FileErrors.h"
#include "store/StoreError.h"
#include "store/StoreItem.h"

#include <optional>

namespace jlex {

// The first thing that went wrong in one change of the store: what could not
// be done, to which file, and why. Later failures are its consequences.
class FailureRecord {
public:
    // Each records the failure, unless one came before, and returns false.
    // A step on the item that failed with the system's error number.
    bool failWith(FileStep step, const StoreItem& item, int error);
    // Something wrong with the item itself.
    bool fail(FileProblem problem, const StoreItem& item, const QString& reason);
    // Anything else, in words of its own.
    bool fail(const QString& action, const StoreItem& item, const QString& reason);
    // Another program wrote the file since it was first looked at.
    bool failChangedMeanwhile(const StoreItem& item);

    const std::optional<StoreError>& error() const { return m_error; }

private:
    std::optional<StoreError> m_error;
};

} // namespace jlex
