#pragma once

#include "ops/ControlStates.h"
#include "store/StorePaths.h"

#include <QList>
#include <QString>

namespace jlex {

struct SurveyResult {
    ControlStates controls;
    QString label2; // who the user is and where the phrase file lives
    QString label5; // when the initial backup was made
    QString label6; // when the latest backup was made
    QString heldPhrasePath;
    // The survey unticked a ticked backup box, which warns the user exactly
    // as unticking it by hand does.
    bool backupWarning = false;
};

// Looks at the store and works out what the main window offers: without a
// phrase file only overwrite mode and no backup; each restore choice only when
// its stamp exists. Changes no file.
SurveyResult survey(const StorePaths& paths, const ControlStates& current);

// What the store holds, as plain facts for the command line.
struct StoreStatus {
    struct Entry {
        StoreFile file;
        QString path;
        bool present = false;
        QString time; // a backup's stamp, when it has one
    };
    QList<Entry> entries; // the phrase file, both backups, the swap file
};

StoreStatus storeStatus(const StorePaths& paths);

} // namespace jlex
