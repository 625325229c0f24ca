#pragma once

#include "store/StoreError.h"

#include <QSaveFile>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace jlex {

// A store file as an operation names it: its Windows path and what users call it.
struct StoreItem {
    QString path;
    QString label; // e.g. "词库文件"
};

// One operation's changes to the store. Checks come first, so a foreseeable
// failure changes nothing; new contents are written beside their final name
// and moved into place only when complete; and if a step still fails, the
// steps before it are undone when the change is dropped without keep().
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
    bool requireWritableDirOf(const StoreItem& item);

    // New contents, staged beside the target until put() moves them in place.
    QIODevice* stage(const StoreItem& target);
    bool stageCopy(const StoreItem& from, const StoreItem& to);
    bool stagingFailed(const StoreItem& target); // records a write error on the staged file

    // Changes. Each returns false and records the error when it fails.
    bool removeIfPresent(const StoreItem& item); // what is removed is meant to go: not undone
    bool rename(const StoreItem& from, const StoreItem& to);
    bool put(const StoreItem& target);
    bool writeStamp(const StoreItem& stamp);

    // Records a failure met outside these steps, such as reading the old file.
    bool fail(const QString& action, const StoreItem& item, const QString& reason);

    void keep() { m_undo.clear(); }

    const std::optional<StoreError>& error() const { return m_error; }
    // Whether a file that was meant to go has gone; no undo brings it back.
    bool discarded() const { return m_discarded; }
    // After a failure, once the change is dropped: whether every step was undone.
    bool rollBack();

private:
    std::map<QString, std::unique_ptr<QSaveFile>> m_staged;
    std::vector<std::function<bool()>> m_undo;
    std::optional<StoreError> m_error;
    bool m_discarded = false;
};

} // namespace jlex
