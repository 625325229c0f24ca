#pragma once

#include "ops/ControlStates.h"
#include "store/FileSteps.h"
#include "store/StorePaths.h"

#include <QList>
#include <QString>

#include <optional>

namespace jlex {

// The store as a survey saw it: every file's identity, so an operation can
// tell whether anything appeared, vanished or changed since the window showed it.
using StoreFingerprint = QList<FileState>;
StoreFingerprint storeFingerprint(const StorePaths& paths);

struct SurveyResult {
    ControlStates controls;
    QString userName;
    QString heldPhrasePath; // the phrase file, as users are shown it
    // The backups' stamps, as written; none without a stamp.
    std::optional<QString> initialBackupTime;
    std::optional<QString> latestBackupTime;
    StoreFingerprint fingerprint;
    // There is no phrase file, so nothing can be added to or backed up.
    bool noPhraseFile = false;
    // ...and backing up had been chosen, which the survey has now undone.
    bool backupUnticked = false;
};

// Looks at the store and works out what the main window offers: without a
// phrase file only overwrite mode and no backup; each restore choice only when
// its stamp exists. Changes no file.
SurveyResult survey(const StorePaths& paths, const ControlStates& current);

// What the store holds, as plain facts for the command line.
struct StoreStatus {
    enum class State { Present, Absent, Unreadable, NotAFile };
    struct Entry {
        StoreFile file;
        QString path;
        QString host;
        State state = State::Absent;
        QString time; // a backup's stamp, when it has one
    };
    QList<Entry> entries;  // the phrase file, both backups, the swap file
    QStringList leftovers; // hidden files an interrupted run left behind
};

StoreStatus storeStatus(const StorePaths& paths);

// The directories an operation's files live in, the phrase file's own
// directory found through its link: where leftovers are looked for.
QStringList storeDirectories(const StorePaths& paths);

} // namespace jlex
