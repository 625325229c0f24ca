#pragma once

#include "ops/SideFile.h"
#include "ops/Survey.h"
#include "ops/TablePlacement.h"
#include "store/History.h"
#include "store/StoreError.h"
#include "store/StorePaths.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace jlex {

// What went wrong, and whether the store was left as it was found.
struct OperationFailure {
    StoreError error;
    enum class Left { Unchanged, Changed } left = Left::Unchanged;
};

// The message for a failed operation ("安装", "备份"...): what could not be
// done, on which file, why, and what state the files are in.
QString failureMessage(const QString& operation, const OperationFailure& failure);

struct OperationResult {
    std::optional<OperationFailure> failure;
    QList<HistoryEntry> kept; // what went into the history
    int leftoversCleared = 0;
    // A step the user must take by hand for the phrases to show as written.
    QString advice;

    bool succeeded() const { return !failure; }
};

// What an operation acts on: the store, the files that follow its tables,
// and what the window last showed of it. Without a fingerprint it takes the
// store as it finds it.
struct OperationContext {
    const StorePaths& paths;
    const StoreFingerprint* seen = nullptr;
    QList<std::shared_ptr<const SideFile>> sideFiles = {};
    std::shared_ptr<const TablePlacement> placement = {}; // none: a block at the start
};

struct InstallChoices {
    // The tables besides kana, which always goes in first.
    QList<PhraseTable> tables = {PhraseTable::Greeting};
    bool addMode = true; // keep the user's phrases after the tables
    bool backupFirst = true;
};

// The phrase file is read from the held phrase path where the operation is
// given one; every other path is composed afresh.
OperationResult install(const OperationContext& context, const QString& heldPhrasePath,
                        const InstallChoices& choices);
OperationResult backup(const OperationContext& context, const QString& heldPhrasePath);
OperationResult restore(const OperationContext& context, bool toInitialState);
// Puts a content of the history back, as a restore does.
OperationResult restoreFromHistory(const OperationContext& context, const QString& id);
OperationResult uninstall(const OperationContext& context);
// Brings the files that follow the tables in line with the tables the phrase
// file holds now, changing nothing else.
OperationResult refreshSideFiles(const OperationContext& context);

} // namespace jlex
