#pragma once

#include "store/ContentDigest.h"
#include "store/FileSteps.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace jlex {

// One content the history keeps. The file is named by what it holds and
// when and by what it was last put aside, "<sha256>.<unix time>.<lines>.<op>",
// with ".pinned" for what the initial backup held: a name is replaced in one
// rename, so the history needs no index that a crash could tear.
struct HistoryEntry {
    QString sha256; // hex
    QDateTime time;
    qint64 lines = 0;
    QString operation; // install, backup, restore-initial, restore-latest, restore-from, uninstall,
                       // cleanup
    bool pinned = false;
    QString path; // the file on this machine
    FileState state;

    QString id() const { return sha256.left(12); }
};

// The contents jlex replaced or discarded in one store, kept in jlex's own
// directory: private (0700), one file per distinct content.
class History {
public:
    explicit History(QString dir) : m_dir(std::move(dir)) {}

    const QString& dir() const { return m_dir; }
    QString pathFor(const ContentDigest& digest, const QDateTime& time, const QString& operation,
                    bool pinned) const;

    // Newest first. Names that are not of the history's form are left alone.
    QList<HistoryEntry> entries() const;
    std::optional<HistoryEntry> withDigest(const QString& sha256) const;
    // The entry that is this very file (a hard link to it), when there is one.
    std::optional<HistoryEntry> holding(const FileState& file) const;
    // By a prefix of its id; *problem says why none fits.
    std::optional<HistoryEntry> find(const QString& id, QString* problem) const;

    // What goes: beyond the newest 50 entries, older than 90 days, and not
    // pinned. Returns the paths removed.
    QStringList prune(const QDateTime& now) const;
    // The directory is read once and the entries kept until this says it changed.
    void changed() const { m_entries.reset(); }

    static constexpr int kKeptVersions = 50;
    static constexpr int kKeptDays = 90;

private:
    QString m_dir;
    mutable std::optional<QList<HistoryEntry>> m_entries;
};

} // namespace jlex
