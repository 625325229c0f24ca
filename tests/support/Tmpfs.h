#pragma once

#include <QFile>

#include <sys/mount.h>
#include <unistd.h>

// A small file system of its own, mounted over a directory for one test: a
// disk that really fills up, or one that is really read-only. Needs root.
class Tmpfs {
public:
    Tmpfs(const QString& dir, const char* options) : m_dir(QFile::encodeName(dir))
    {
        m_mounted =
            geteuid() == 0 && ::mount("jlex-test", m_dir.constData(), "tmpfs", 0, options) == 0;
    }
    ~Tmpfs()
    {
        if (m_mounted)
            ::umount2(m_dir.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    bool makeReadOnly() const
    {
        return ::mount(nullptr, m_dir.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QByteArray m_dir;
    bool m_mounted = false;
};
