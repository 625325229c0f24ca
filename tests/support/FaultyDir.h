#pragma once

#include <QFile>
#include <QProcess>
#include <QStringList>

#include <sys/mount.h>
#include <unistd.h>

// A directory whose file system fails as real ones do, for one test: the
// FUSE file system of faultfs.cpp mounted over it, showing what it held, with
// the faults `rules` name. Needs root and FUSE; why() says what is missing.
class FaultyDir {
public:
    FaultyDir(const QString& dir, const QStringList& rules) : m_dir(dir)
    {
#ifdef JLEX_FAULTFS
        if (geteuid() != 0) {
            m_why = QStringLiteral("needs root to mount a FUSE file system");
            return;
        }
        if (!QFile::exists(QStringLiteral("/dev/fuse"))) {
            m_why = QStringLiteral("needs FUSE (/dev/fuse)");
            return;
        }
        m_fs.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_fs.start(QStringLiteral(JLEX_FAULTFS), QStringList{dir} + rules);
        m_mounted = m_fs.waitForReadyRead(10000) && m_fs.readLine() == "mounted\n";
        if (!m_mounted) {
            m_why = QStringLiteral("could not mount a FUSE file system on ") + dir;
            m_fs.kill();
            m_fs.waitForFinished();
        }
#else
        m_why = QStringLiteral("libfuse3-dev was missing when the tests were configured");
#endif
    }
    ~FaultyDir()
    {
        unmount();
    }
    FaultyDir(const FaultyDir&) = delete;
    FaultyDir& operator=(const FaultyDir&) = delete;

    bool mounted() const
    {
        return m_mounted;
    }
    const QString& why() const
    {
        return m_why;
    }
    // What is there now is what the directory below holds.
    void unmount()
    {
        if (!m_mounted)
            return;
        m_mounted = false;
        ::umount2(QFile::encodeName(m_dir).constData(), MNT_DETACH);
        if (!m_fs.waitForFinished(10000)) {
            m_fs.kill();
            m_fs.waitForFinished();
        }
    }

private:
    QString m_dir;
    QString m_why;
    QProcess m_fs;
    bool m_mounted = false;
};
