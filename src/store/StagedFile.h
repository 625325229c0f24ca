#pragma once

#include "store/FileSteps.h"

#include <QIODevice>
#include <QString>

#include <sys/types.h>

namespace jlex {

// New contents for a file, written beside it under a hidden name of jlex's
// own and moved onto it only once every byte is known to be on disk. Writes
// go straight to the file, so a full disk fails the write that meets it, not
// some later flush. The file is private while it is written and then takes
// the mode it is given: that of the file whose content it holds. Dropped
// before it was put in place, the hidden file goes.
class StagedFile : public QIODevice {
public:
    // The final name; links are resolved by the caller, never here.
    explicit StagedFile(const QString& target);
    ~StagedFile() override;

    // A new, empty file with this mode and, when given (root writing for a
    // user), this owner.
    bool create(mode_t mode, uid_t owner = uid_t(-1), gid_t group = gid_t(-1));
    // Another name for an existing file: the content without copying it. The
    // file must then be replaced, not rewritten, while this name is to keep it.
    bool linkTo(int fd, const QString& path);
    // Appends bytes [from, to) of another file, in the kernel where it can.
    // A failed write is this file's failure(); a failed read is the other
    // file's, and leaves this one as it was.
    CopyResult copyRange(int fd, qint64 from, qint64 to);
    // Syncs and closes what was written; after it the hidden file may be moved.
    bool finish();
    // The hidden file no longer belongs to this object (it was moved or renamed).
    void release();

    // The system's error number of the step that failed, 0 when none did.
    int failure() const { return m_errno; }
    const QString& target() const { return m_target; }
    QString stagedPath() const;

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool failWith(int error);
    void discard();

    QString m_target;
    QByteArray m_temp;
    int m_fd = -1;
    int m_errno = 0;
};

} // namespace jlex
