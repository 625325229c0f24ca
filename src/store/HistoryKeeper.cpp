#include "store/HistoryKeeper.h"

#include <QDateTime>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <utility>

namespace jlex {

namespace {

StoreItem historyItem(const History& history, const QString& label)
{
    return {history.dir(), history.dir(), label};
}

} // namespace

HistoryKeeper::HistoryKeeper(FileTransaction& files, FailureRecord& failures,
                             const History& history, QString operation)
    : m_files(files), m_failures(failures), m_history(history), m_operation(std::move(operation))
{}

void HistoryKeeper::rolledBack()
{
    m_history.changed();
    m_kept.clear();
}

void HistoryKeeper::commit()
{
    m_history.changed();
    // What only the history holds now is private to the user.
    for (const HistoryEntry& entry : m_kept) {
        const FileState state = fileState(entry.path);
        if (state.isFile() && state.links == 1 && (state.mode & 077))
            ::chmod(QFile::encodeName(entry.path).constData(), 0600);
    }
    m_history.prune(QDateTime::currentDateTime());
}

bool HistoryKeeper::linkInto(const OpenFile& file, const StoreItem& item, const QString& name)
{
    StagedFile link(name);
    int error = link.linkTo(file.fd, item.host) ? 0 : link.failure();
    if (!error) {
        error = renameFile(link.stagedPath(), name, false);
        if (!error)
            link.release();
    }
    // Across file systems, or where links are not allowed, a copy does.
    if (error == EXDEV || error == EPERM || error == EMLINK || error == EOPNOTSUPP) {
        const CopyResult copied = copyInto(file.fd, name);
        if (copied.failed == CopyResult::Failed::Read)
            return m_failures.failWith(FileStep::Read, item, copied.error);
        error = copied.error;
    }
    if (error)
        return m_failures.failWith(FileStep::Keep,
                                   historyItem(m_history, QStringLiteral("被替换的内容")), error);
    m_files.onRollBack([name] { return removeFile(name) == 0; });
    return true;
}

bool HistoryKeeper::keep(const OpenFile& file, const StoreItem& item, const ContentDigest& digest,
                         bool pinned)
{
    if (!digest.valid())
        return m_failures.failWith(FileStep::Read, item, digest.error);
    const StoreItem kept = historyItem(m_history, QStringLiteral("历史记录"));
    std::optional<HistoryEntry> existing = m_history.withDigest(digest.hex());
    if (existing && existing->state.size != digest.bytes) {
        // A program that held the file open wrote on after it was kept: what
        // it holds now is another content, under its own name.
        OpenFile changed;
        changed.fd = openForReading(existing->path);
        const ContentDigest real = changed.fd >= 0 ? digestOfFile(changed.fd) : ContentDigest{};
        if (real.valid())
            renameFile(
                existing->path,
                m_history.pathFor(real, existing->time, existing->operation, existing->pinned),
                false);
        existing.reset();
        m_history.changed();
    }
    const QString name = m_history.pathFor(digest, QDateTime::currentDateTime(), m_operation,
                                           pinned || (existing && existing->pinned));
    m_files.changedNames(m_history.dir(), true);
    const bool sameFile = existing && existing->state.device == file.state.device &&
                          existing->state.inode == file.state.inode;
    if (sameFile) {
        if (existing->path != name) {
            if (const int error = renameFile(existing->path, name, false))
                return m_failures.failWith(FileStep::Update, kept, error);
            const QString old = existing->path;
            m_files.onRollBack([old, name] { return renameFile(name, old, false) == 0; });
        }
    } else {
        // The file itself goes in, even where an equal content is kept
        // already: a program that still holds it open may write on into it.
        if (existing && !m_files.setAside(existing->path, FileStep::Update, kept))
            return false;
        if (!linkInto(file, item, name))
            return false;
    }
    m_history.changed();
    if (auto entry = m_history.withDigest(digest.hex()))
        m_kept << *entry;
    return true;
}

bool HistoryKeeper::keepStaged(const StoreItem& target, const ContentDigest& digest, bool pinned)
{
    const QString staged = m_files.finishedStaged(target);
    if (staged.isEmpty())
        return false;
    OpenFile file;
    file.fd = openForReading(staged);
    if (file.fd < 0)
        return m_failures.failWith(FileStep::Write, target, -file.fd);
    return keep(file, target, digest, pinned);
}

bool HistoryKeeper::keepExisting(const StoreItem& item)
{
    const FileState state = fileState(item.host);
    if (!state.isFile())
        return true;
    OpenFile file;
    if (const auto held = m_history.holding(state)) {
        file.fd = openForReading(held->path);
        if (file.fd < 0)
            return m_failures.failWith(FileStep::Read, item, -std::exchange(file.fd, -1));
        const ContentDigest digest{QByteArray::fromHex(held->sha256.toLatin1()), state.size,
                                   held->lines};
        return keep(file, item, digest);
    }
    file.fd = openForReading(item.host);
    if (file.fd < 0)
        return m_failures.failWith(FileStep::Read, item, -std::exchange(file.fd, -1));
    file.state = fileState(file.fd);
    return keep(file, item, digestOfFile(file.fd));
}

} // namespace jlex
