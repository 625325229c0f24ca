#pragma once

#include "targets/Registry.h"

#include <QByteArray>
#include <QMap>
#include <QTemporaryDir>

// A home of its own for one test, for one registered input method: HOME,
// the XDG directories, WINEPREFIX and USERNAME are set to point the program
// at it, all in one directory (so one small file system can hold them all).
// The store's directories exist unless told otherwise.
class TempStore {
public:
    enum Dirs { BothDirs, PhraseDirOnly, NoDirs };

    explicit TempStore(const QString& ime = QStringLiteral("kavro-login"), Dirs dirs = BothDirs,
                       const QByteArray& user = "alice");

private:
    // Set before the input method is made, which reads them.
    struct Home {
        Home(const QByteArray& user);
        QTemporaryDir dir;
    } m_home;

public:
    const QString ime;
    const jlex::Target target;
    const jlex::StorePaths& paths;

    // The store's directories, as the constructor makes them (again, say on
    // a file system mounted over root()).
    void makeDirs(Dirs dirs) const;
    QString host(jlex::StoreFile file) const;
    void write(jlex::StoreFile file, const QByteArray& bytes) const;
    QByteArray read(jlex::StoreFile file) const;
    // The Wine prefix, and HOME under it.
    QString root() const { return m_home.dir.path(); }
    // XDG_DATA_HOME, where jlex keeps its own directory, the history and the
    // locks, and where the Linux input methods keep their files.
    QString dataHome() const { return root() + QStringLiteral("/home/.local/share"); }
    QString historyDir() const { return paths.historyDir(); }

    // Every file and directory of the store, with the contents of files,
    // but for the history and the locks: comparing two snapshots shows
    // whether anything at all changed, stray temporary files included.
    QMap<QString, QByteArray> snapshot() const;
};

// True when the bytes are a stamp written between the two moments.
bool isStampBetween(const QByteArray& bytes, const QDateTime& from, const QDateTime& to);
