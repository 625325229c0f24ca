#pragma once

#include <QIODevice>
#include <QString>

namespace jlex {

// New contents for a file, written beside it under a hidden temporary name
// and moved onto it by commit() only once every byte is known to be on disk.
// Writes go straight to the file, so a full disk fails the write that meets
// it, not some later flush. A symbolic link is followed: the file it points
// at is replaced in its own directory, and the link stays a link. The new
// file has the directory's normal permissions, whatever the old one had.
// Dropped without commit(), the temporary file goes.
class StagedFile : public QIODevice {
public:
    explicit StagedFile(const QString& target);
    ~StagedFile() override;

    bool open(OpenMode mode = WriteOnly) override;
    // Stages what another file holds now, without copying it where the file
    // system allows: a hard link, so the other file must be replaced, not
    // rewritten, while the new name is to keep the content.
    bool openAsLinkTo(const QString& source);
    // Syncs the data, renames it onto the target and syncs the directory.
    bool commit();

    // The system's error number of the step that failed, 0 when none did.
    int failure() const { return m_errno; }
    // The file that commit() replaces: the target with links followed.
    const QString& finalPath() const { return m_final; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool failWith(int error);
    void discard();

    QString m_final;
    QByteArray m_temp;
    int m_fd = -1;
    int m_errno = 0;
};

} // namespace jlex
