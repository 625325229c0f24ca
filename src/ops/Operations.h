#pragma once

#include "store/StoreError.h"
#include "store/StorePaths.h"

#include <QString>

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

struct InstallChoices {
    bool greeting = true; // the everyday phrases table
    bool kanji = false;   // the kanji table
    bool addMode = true;  // keep the user's phrases after the tables
    bool backupFirst = true;
};

// Each returns nothing on success. The phrase file is read from the held
// phrase path where the operation is given one; every other path is composed
// afresh.
std::optional<OperationFailure> install(const StorePaths& paths, const QString& heldPhrasePath,
                                        const InstallChoices& choices);
std::optional<OperationFailure> backup(const StorePaths& paths, const QString& heldPhrasePath);
std::optional<OperationFailure> restore(const StorePaths& paths, bool toInitialState);
std::optional<OperationFailure> uninstall(const StorePaths& paths);

} // namespace jlex
