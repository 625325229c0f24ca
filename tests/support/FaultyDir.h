#pragma once

#include <QFile>
#include <QProcess>
#include <QStringList>

#include <sys/mount.h>
#include <unistd.h>

// A directory whose file system fails as real ones do, for one test: the
// FUSE file system of faultfs.cpp mounted over it, showing what it held, with
// the faults `rules` name. Needs a usable /dev/fuse; why() says what failed.
class FaultyDir {
public:
    FaultyDir(const QString& dir, const QStringList& rules) : m_dir(dir)
    {
#ifdef JLEX_FAULTFS
        if (!QFile::exists(QStringLiteral("/dev/fuse"))) {
            m_why = QStringLiteral("needs FUSE, and there is no /dev/fuse");
            return;
        }
        m_fs.start(QStringLiteral(JLEX_FAULTFS), QStringList{dir} + rules);
        m_mounted = m_fs.waitForReadyRead(10000) && m_fs.readLine() == "mounted\n";
        if (!m_mounted) {
            m_fs.kill();
            m_fs.waitForFinished();
            // What libfuse said, such as /dev/fuse refused to this user.
            m_why = QStringLiteral("FUSE is not usable here: ") +
                    QString::fromLocal8Bit(m_fs.readAllStandardError())
                        .trimmed()
                        .replace(QChar(u'\n'), QStringLiteral("; "));
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
        // Root takes it away at once; anyone else asks the file system,
        // which unmounts itself (through fusermount3) when told to end.
        if (geteuid() != 0 || ::umount2(QFile::encodeName(m_dir).constData(), MNT_DETACH) != 0)
            m_fs.terminate();
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
