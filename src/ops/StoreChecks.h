#pragma once

#include "store/FailureRecord.h"
#include "store/History.h"
#include "store/StoreItem.h"

namespace jlex {

// What an operation makes sure of before it changes anything, so a
// foreseeable failure changes nothing. Each returns false and records the
// failure when it does not hold.
class StoreChecks {
public:
    StoreChecks(FailureRecord& failures, const History& history)
        : m_failures(failures), m_history(history)
    {}

    // jlex's own files: absent or an ordinary file, never a link, never followed.
    bool requireFile(const StoreItem& item);
    bool requireReplaceable(const StoreItem& item);
    bool requireAbsent(const StoreItem& item, const QString& action, const QString& reason);
    // The phrase file: a link is followed where it may be (PhraseLink.h), and
    // item.host becomes the file it stands for. Opened when it exists.
    bool openPhraseFile(StoreItem& item, bool mustExist, OpenFile& file);
    bool openFile(const StoreItem& item, OpenFile& file); // one of jlex's own files
    // The directory the item's file is written in; where the store may make
    // its own directories, a missing one is made here, private.
    bool requireWritableDirOf(const StoreItem& item, bool mayCreate = false);
    bool requireHistory();
    // The open file is still as first seen: no other program wrote it meanwhile.
    bool requireUnchanged(const StoreItem& item, const OpenFile& file);

private:
    FailureRecord& m_failures;
    const History& m_history;
};

} // namespace jlex
