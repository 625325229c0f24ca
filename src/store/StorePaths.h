#pragma once

#include "store/PhraseFormat.h"

#include <QString>

namespace jlex {

enum class StoreFile { Phrases, InitialBackup, LatestBackup, Swap, InitialStamp, LatestStamp };

// Where one input method keeps its phrase file and where the program keeps
// the backups and stamps beside it, and how that file is written. Paths are
// composed afresh on every call, so they follow the environment as it is now.
class StorePaths {
public:
    virtual ~StorePaths() = default;

    // The path as users are shown it.
    virtual QString path(StoreFile file) const = 0;
    // Where a shown path is on this machine.
    virtual QString hostPath(const QString& shownPath) const = 0;
    virtual PhraseFormat format() const = 0;
    // Whether a missing directory is the program's to make; an input
    // method's own directories are not.
    virtual bool makesDirectories(StoreFile file) const = 0;
    // Who the user is and where the phrases go, as the main window says it.
    virtual QString locationText() const = 0;

    QString host(StoreFile file) const { return hostPath(path(file)); }
};

} // namespace jlex
