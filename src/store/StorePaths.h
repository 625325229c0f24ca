#pragma once

#include "store/PhraseFormat.h"

#include <QString>

namespace jlex {

enum class StoreFile { Phrases, InitialBackup, LatestBackup, Swap, InitialStamp, LatestStamp };

// Where one input method keeps its phrase file and where jlex keeps the
// backups and stamps, and how that file is written. Paths are composed afresh
// on every call, so they follow the environment as it is now.
class StorePaths {
public:
    virtual ~StorePaths() = default;

    // The path as users are shown it.
    virtual QString path(StoreFile file) const = 0;
    // Where a shown path is on this machine.
    virtual QString hostPath(const QString& shownPath) const = 0;
    virtual const PhraseFormat& format() const = 0;
    // Whether a missing directory is jlex's to make; an input method's own
    // directories are not, where it makes them itself.
    virtual bool makesDirectories(StoreFile file) const = 0;
    // Who the user is, as the main window names them.
    virtual QString userName() const = 0;
    // The name of this store's history in jlex's own directory.
    virtual QString historyName() const = 0;

    // Why no sound path can be composed from the environment as it is (an
    // empty or unsafe user name, no home directory); empty when one can.
    QString problem() const;
    QString host(StoreFile file) const { return hostPath(path(file)); }
    // jlex's own directory on this machine, and in it this store's history
    // and the lock every program working on these files takes.
    QString ownDir() const;
    QString historyDir() const;
    QString lockFile() const;

protected:
    // A backup, swap file or stamp kept in jlex's own directory for this
    // store, named after the phrase file: "<phrases>.initial-backup"...
    QString ownStoreFile(StoreFile file, const QString& phrases) const;
    virtual QString ownProblem() const { return {}; }
    // Programs that share any file share the lock; by default, one per history.
    virtual QString lockName() const { return historyName(); }
};

} // namespace jlex
