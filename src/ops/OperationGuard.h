#pragma once

#include "ops/Survey.h"
#include "store/History.h"
#include "store/StoreError.h"
#include "store/StoreLock.h"

#include <memory>
#include <optional>
#include <thread>

namespace jlex {

// What every operation does before it looks at what to change: the paths are
// sound, no other jlex is at work on these files (it waits a while for one
// that is), the files are still as the window last showed them, and what an
// interrupted run left behind is cleared away, its contents kept.
class OperationGuard {
public:
    OperationGuard(const StorePaths& paths, const StoreFingerprint* seen);
    ~OperationGuard();
    OperationGuard(const OperationGuard&) = delete;
    OperationGuard& operator=(const OperationGuard&) = delete;

    // Why the operation must not go on; nothing has been changed then.
    const std::optional<StoreError>& refusal() const { return m_refusal; }
    const History& history() const { return m_history; }
    int leftoversCleared() const { return m_cleared; }

private:
    void clearLeftovers(const StorePaths& paths);

    History m_history;
    std::unique_ptr<StoreLock> m_lock;
    std::optional<StoreError> m_refusal;
    int m_cleared = 0;
    std::thread m_freeing; // what the last operation threw away, freed meanwhile
};

} // namespace jlex
