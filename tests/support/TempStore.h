#pragma once

#include "store/KavroPaths.h"

#include <QByteArray>
#include <QMap>
#include <QTemporaryDir>

// A Wine prefix of its own for one test, with USERNAME and WINEPREFIX set to
// point the program at it. Both store directories exist unless told otherwise.
class TempStore {
public:
    enum Dirs { BothDirs, PhraseDirOnly, NoDirs };

    explicit TempStore(jlex::Edition edition = jlex::Edition::Login, Dirs dirs = BothDirs,
                       const QByteArray& user = "alice");

    jlex::KavroPaths paths;

    QString host(jlex::StoreFile file) const;
    void write(jlex::StoreFile file, const QByteArray& bytes) const;
    QByteArray read(jlex::StoreFile file) const;
    QString root() const { return m_dir.path(); }
    // XDG_DATA_HOME, where jlex keeps the history and its locks: beside the
    // prefix, so a snapshot of the prefix is the IME's files alone.
    QString dataHome() const { return m_data.path(); }
    QString historyDir() const { return paths.historyDir(); }

    // Every file and directory under the prefix, with the contents of files:
    // comparing two snapshots shows whether anything at all changed, stray
    // temporary files included.
    QMap<QString, QByteArray> snapshot() const;

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_data;
};

// True when the bytes are a stamp written between the two moments.
bool isStampBetween(const QByteArray& bytes, const QDateTime& from, const QDateTime& to);
