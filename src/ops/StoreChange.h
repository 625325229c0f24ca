#pragma once

#include "ops/StoreChecks.h"
#include "store/FailureRecord.h"
#include "store/FileTransaction.h"
#include "store/History.h"
#include "store/HistoryKeeper.h"

#include <QString>

namespace jlex {

// One operation's change of the store: the checks that come first, the
// files it writes as one transaction, and the history that receives every
// content that leaves the phrase file or a backup, on disk there before
// anything that replaces it. The first failure of any of them is the one
// reported.
class StoreChange {
public:
    StoreChange(const History& kept, QString operation);
    StoreChange(const StoreChange&) = delete;
    StoreChange& operator=(const StoreChange&) = delete;
    ~StoreChange();

    FailureRecord failures;
    StoreChecks checks;
    FileTransaction files;
    HistoryKeeper history;

    const std::optional<StoreError>& error() const { return failures.error(); }
    // The change is complete: what was taken out goes, the history is trimmed.
    void commit();
    // After a failure: undoes every step; false when one could not be undone.
    bool rollBack();
};

// The mode a replacing phrase file takes: no wider than the content it holds
// nor the file it replaces, and always its owner's to read and write, as the
// input method must.
mode_t phraseFileMode(const FileState& content, const FileState& replaced);

} // namespace jlex
