#pragma once

#include "store/ContentDigest.h"
#include "store/FailureRecord.h"
#include "store/FileTransaction.h"
#include "store/History.h"
#include "store/StoreItem.h"

#include <QList>
#include <QString>

namespace jlex {

// Puts every content one change of the store replaces or discards into the
// history, as part of the change: a second name for the very file where the
// file system allows it (a copy elsewhere), on disk before anything that
// replaces it, and taken out again if the change is rolled back.
class HistoryKeeper {
public:
    HistoryKeeper(FileTransaction& files, FailureRecord& failures, const History& history,
                  QString operation);

    // Puts the content of an open file in the history, under its digest.
    bool keep(const OpenFile& file, const StoreItem& item, const ContentDigest& digest,
              bool pinned = false);
    // The same for a staged file once it is complete.
    bool keepStaged(const StoreItem& target, const ContentDigest& digest, bool pinned);
    // An existing file of jlex's (a latest backup about to be replaced), unless
    // the history holds it already.
    bool keepExisting(const StoreItem& item);

    // What went into the history (for the window to say so).
    const QList<HistoryEntry>& kept() const { return m_kept; }
    // The change is complete: what only the history holds is private, and
    // what is too old goes.
    void commit();
    void rolledBack();

private:
    bool linkInto(const OpenFile& file, const StoreItem& item, const QString& name);

    FileTransaction& m_files;
    FailureRecord& m_failures;
    const History& m_history;
    QString m_operation;
    QList<HistoryEntry> m_kept;
};

} // namespace jlex
