#pragma once

#include <QString>

namespace jlex {

// One jlex at a time on a store: an exclusive flock(2) on a file of jlex's
// own, held from an operation's checks to its last rename. The kernel drops
// it when the process ends, however it ends, so a crash never leaves the
// store locked. Taking it again in the same process nests.
class StoreLock {
public:
    // Waits up to the given time for another process to let go.
    explicit StoreLock(const QString& lockFile, int waitMs = 5000);
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    bool held() const { return m_held; }
    // EWOULDBLOCK when another process holds it; otherwise why the file failed.
    int error() const { return m_error; }

private:
    QString m_file;
    bool m_held = false;
    int m_error = 0;
};

} // namespace jlex
