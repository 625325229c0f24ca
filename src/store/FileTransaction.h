#pragma once

#include "store/ContentDigest.h"
#include "store/FailureRecord.h"
#include "store/StagedFile.h"
#include "store/StoreItem.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace jlex {

// The files one change of the store writes, replaces and takes away, as one
// transaction. New contents are written beside their final name and
// exchanged with it in one step once they are safely on disk, so every file
// is at every instant either its old or its new self; what an exchange took
// out stays under a hidden name until commit(), and is exchanged back if the
// change is rolled back.
class FileTransaction {
public:
    // Large files taken out go to `trashDir` at commit, to be freed later.
    FileTransaction(FailureRecord& failures, QString trashDir);
    FileTransaction(const FileTransaction&) = delete;
    FileTransaction& operator=(const FileTransaction&) = delete;
    ~FileTransaction();

    // New contents, staged beside the target until put() moves them in place.
    QIODevice* stage(const StoreItem& target, mode_t mode, const FileState* ownedLike = nullptr);
    // A copy of what a file holds; its digest when asked for.
    bool stageCopy(const StoreItem& from, const OpenFile& source, const StoreItem& to, mode_t mode,
                   ContentDigest* digest = nullptr);
    // The same content without copying: a second name for the open file, which
    // must then be replaced, not rewritten.
    bool stageLink(const OpenFile& source, const StoreItem& from, const StoreItem& to);
    // Appends bytes [begin, end) of an open file, `from`, to the staged target.
    bool stageRange(const StoreItem& target, const StoreItem& from, const OpenFile& source,
                    qint64 begin, qint64 end);
    // Syncs what the target's staged file holds now, while the caller waits anyway.
    bool finishStaged(const StoreItem& target);
    bool stagingFailed(const StoreItem& target); // records a write error on the staged file
    // Where the target's staged content is, once finished; empty on failure.
    QString finishedStaged(const StoreItem& target);

    // Moves staged contents onto the target. With `expected`, the target must
    // still be that file, unchanged, both before and at the moment of the
    // exchange: else another program has written it meanwhile, and nothing is
    // put in its place.
    bool put(const StoreItem& target, const OpenFile* expected = nullptr);
    // While an exchange is under way, the replaced content stays visible
    // under another name of the store (the swap file), not a hidden one.
    bool putKeepingOldAs(const StoreItem& target, const StoreItem& keepOldAs);
    bool writeStamp(const StoreItem& stamp, const QByteArray& bytes, mode_t mode);
    // Takes a file away; it stays under a hidden name until commit().
    bool remove(const StoreItem& item);
    // Moves a name aside to a hidden name beside it, put back on rollback and
    // gone at commit; if it cannot be, that `step` of the item failed.
    bool setAside(const QString& path, FileStep step, const StoreItem& item);

    // A step to take back on rollback, in reverse order of the steps.
    void onRollBack(std::function<bool()> undo) { m_undo.push_back(std::move(undo)); }
    // Names in `dir` changed, and must survive a power cut: before anything
    // is put in place when `first`, else before the phrase file is.
    void changedNames(const QString& dir, bool first = false);
    // Makes every change so far survive a power cut.
    bool syncChanges();

    // The change is complete: what was taken out goes.
    void commit();
    // Undoes every step; false when one could not be undone.
    bool rollBack();

private:
    bool putStaged(const StoreItem& target, const OpenFile* expected, const StoreItem* keepOldAs);
    void dirty(const QString& path);

    FailureRecord& m_failures;
    QString m_trashDir;
    std::map<QString, std::unique_ptr<StagedFile>> m_staged;
    std::vector<std::function<bool()>> m_undo;
    std::vector<QString> m_takenOut; // hidden names that hold replaced contents until commit()
    std::set<QString> m_dirtyDirs;
    std::set<QString> m_firstDirs;
};

// A copy of an open file under a new name in another file system, where no
// second name can be made.
CopyResult copyInto(int fd, const QString& name);

} // namespace jlex
