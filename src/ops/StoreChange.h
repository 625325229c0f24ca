#pragma once

#include "store/ContentDigest.h"
#include "store/FileSteps.h"
#include "store/History.h"
#include "store/StagedFile.h"
#include "store/StoreError.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace jlex {

// A store file as an operation names it: the path users are shown, where it
// is on this machine, and what users call it.
struct StoreItem {
    QString path;
    QString host;
    QString label; // e.g. "词库文件"
};

// A file an operation reads and then replaces, held open from the first look
// to the end, so that a change by another program meanwhile shows.
struct OpenFile {
    int fd = -1;
    FileState state; // as first seen through the descriptor
    OpenFile() = default;
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile();
    bool isOpen() const { return fd >= 0; }
};

// One operation's changes to the store. Checks come first, so a foreseeable
// failure changes nothing. New contents are written beside their final name
// and exchanged with it in one step once they are safely on disk, so every
// file is at every instant either its old or its new self; what an exchange
// took out stays under the hidden name until commit(), and is exchanged back
// if the operation fails. Every content that leaves the phrase file or a
// backup goes into the history first, and is on disk there before anything
// that replaces it.
class StoreChange {
public:
    StoreChange(const History& history, QString operation);
    StoreChange(const StoreChange&) = delete;
    StoreChange& operator=(const StoreChange&) = delete;
    ~StoreChange();

    // Checks. Each returns false and records the error when it fails.
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

    // New contents, staged beside the target until put() moves them in place.
    QIODevice* stage(const StoreItem& target, mode_t mode, const FileState* ownedLike = nullptr);
    // A copy of what a file holds; its digest when asked for.
    bool stageCopy(const StoreItem& from, const OpenFile& source, const StoreItem& to, mode_t mode,
                   ContentDigest* digest = nullptr);
    // The same content without copying: a second name for the open file, which
    // must then be replaced, not rewritten.
    bool stageLink(const OpenFile& source, const StoreItem& from, const StoreItem& to);
    // Appends bytes [from, to) of an open file to the staged target.
    bool stageRange(const StoreItem& target, const OpenFile& source, qint64 from, qint64 to);
    // Syncs what the target's staged file holds now, while the caller waits anyway.
    bool finishStaged(const StoreItem& target);
    bool stagingFailed(const StoreItem& target); // records a write error on the staged file

    // Puts the content of an open file in the history, under its digest.
    bool keepInHistory(const OpenFile& file, const StoreItem& item, const ContentDigest& digest,
                       bool pinned = false);
    // The same for a staged file once it is complete.
    bool keepStagedInHistory(const StoreItem& target, const ContentDigest& digest, bool pinned);
    // An existing file of jlex's (a latest backup about to be replaced), unless
    // the history holds it already.
    bool keepExistingInHistory(const StoreItem& item);

    // The open file is still as first seen: no other program wrote it meanwhile.
    bool requireUnchanged(const StoreItem& item, const OpenFile& file);

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
    // Makes every change so far survive a power cut.
    bool syncChanges();

    // Records a failure met outside these steps, such as reading the old file.
    bool fail(const QString& action, const StoreItem& item, const QString& reason);
    bool failWith(const QString& action, const StoreItem& item, int error);

    // The change is complete: what was taken out goes, the history is trimmed.
    void commit();

    const std::optional<StoreError>& error() const { return m_error; }
    // Whether something went into the history (for the window to say so).
    const QList<HistoryEntry>& kept() const { return m_kept; }
    // After a failure: undoes every step; false when one could not be undone.
    bool rollBack();

private:
    bool putStaged(const StoreItem& target, const OpenFile* expected, const StoreItem* keepOldAs);
    bool linkIntoHistory(int fd, const QString& path, const QString& name);
    bool failChangedMeanwhile(const StoreItem& item);
    void dirty(const QString& path);

    const History& m_history;
    QString m_operation;
    std::map<QString, std::unique_ptr<StagedFile>> m_staged;
    std::vector<std::function<bool()>> m_undo;
    std::vector<QString> m_takenOut; // hidden names that hold replaced contents until commit()
    std::set<QString> m_dirtyDirs;
    bool m_historyDirty = false;
    QList<HistoryEntry> m_kept;
    std::optional<StoreError> m_error;
};

// The mode a replacing phrase file takes: no wider than the content it holds
// nor the file it replaces, and always its owner's to read and write, as the
// input method must.
mode_t phraseFileMode(const FileState& content, const FileState& replaced);

} // namespace jlex
