#pragma once

#include "store/StagedFile.h"
#include "store/StoreError.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace jlex {

// A store file as an operation names it: the path users are shown, where it
// is on this machine, and what users call it.
struct StoreItem {
    QString path;
    QString host;
    QString label; // e.g. "词库文件"
};

// One operation's changes to the store. Checks come first, so a foreseeable
// failure changes nothing. New contents are written beside their final name
// and replace it in one rename once they are safely on disk, so every file is
// at every instant either its old or its new self. Whatever a step replaced
// is kept aside until keep(); dropped without keep(), the change puts it back.
class StoreChange {
public:
    StoreChange() = default;
    StoreChange(const StoreChange&) = delete;
    StoreChange& operator=(const StoreChange&) = delete;
    ~StoreChange();

    // Checks. Each returns false and records the error when it fails.
    bool requireFile(const StoreItem& item);
    bool requireAbsent(const StoreItem& item, const QString& action, const QString& reason);
    bool requireReplaceable(const StoreItem& item); // absent, or an ordinary file
    // The directory the item's file is written in: links followed. Where the
    // store may make its own directories, a missing one is made here.
    bool requireWritableDirOf(const StoreItem& item, bool mayCreate = false);

    // New contents, staged beside the target until put() moves them in place.
    QIODevice* stage(const StoreItem& target);
    bool stageCopy(const StoreItem& from, const StoreItem& to);
    // The same content as a copy, but a hard link where possible: only for a
    // file this change replaces before it ends.
    bool stageKeep(const StoreItem& from, const StoreItem& to);
    bool stagingFailed(const StoreItem& target); // records a write error on the staged file

    // Moves staged contents onto the target. What the target held is kept
    // aside until keep(): hidden, or under keepOldAs when that is given, so
    // that someone who finds the store after a power cut can see it.
    bool put(const StoreItem& target, const StoreItem* keepOldAs = nullptr);
    bool writeStamp(const StoreItem& stamp, const QByteArray& bytes);

    // Records a failure met outside these steps, such as reading the old file.
    bool fail(const QString& action, const StoreItem& item, const QString& reason);
    bool failWith(const QString& action, const StoreItem& item, int error);

    // The change is complete: what was kept aside goes.
    void keep();

    const std::optional<StoreError>& error() const { return m_error; }
    // After a failure: undoes every step; false when one could not be undone.
    bool rollBack();

private:
    std::map<QString, std::unique_ptr<StagedFile>> m_staged;
    std::vector<std::function<bool()>> m_undo;
    std::vector<QString> m_keptNames;
    std::optional<StoreError> m_error;
};

} // namespace jlex
