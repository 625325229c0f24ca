#include "store/FileTransaction.h"

#include "store/Leftovers.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace jlex {

namespace {

QByteArray local(const QString& path)
{
    return QFile::encodeName(path);
}

// Swaps two names in one step; 0, or the error number.
int exchange(const QString& a, const QString& b)
{
    return ::renameat2(AT_FDCWD, local(a).constData(), AT_FDCWD, local(b).constData(),
                       RENAME_EXCHANGE) == 0
               ? 0
               : errno;
}

} // namespace

CopyResult copyInto(int fd, const QString& name)
{
    StagedFile copy(name);
    if (!copy.create(0600))
        return CopyResult::writeFailed(copy.failure());
    bool wrote = true;
    const int error = readBlocks(fd, 0, std::numeric_limits<qint64>::max(), [&](QByteArrayView b) {
        return wrote = copy.write(b.data(), b.size()) == b.size();
    });
    if (!wrote)
        return CopyResult::writeFailed(copy.failure());
    if (error)
        return CopyResult::readFailed(error);
    if (!copy.finish())
        return CopyResult::writeFailed(copy.failure());
    if (const int e = renameFile(copy.stagedPath(), name, false))
        return CopyResult::writeFailed(e);
    copy.release();
    return {};
}

FileTransaction::FileTransaction(FailureRecord& failures, QString trashDir)
    : m_failures(failures), m_trashDir(std::move(trashDir))
{}

FileTransaction::~FileTransaction()
{
    rollBack();
}

void FileTransaction::dirty(const QString& path)
{
    m_dirtyDirs.insert(QFileInfo(path).absolutePath());
}

void FileTransaction::changedNames(const QString& dir, bool first)
{
    (first ? m_firstDirs : m_dirtyDirs).insert(dir);
}

bool FileTransaction::rollBack()
{
    bool all = true;
    while (!m_undo.empty()) {
        all = m_undo.back()() && all;
        m_undo.pop_back();
    }
    m_takenOut.clear();
    m_staged.clear(); // a staged file never put in place removes its hidden file
    for (const QString& dir : m_dirtyDirs)
        syncDirectory(dir);
    m_dirtyDirs.clear();
    return all;
}

void FileTransaction::commit()
{
    m_undo.clear();
    std::set<QString> named;
    for (const QString& name : m_takenOut) {
        throwAway(name, m_trashDir);
        // A hidden name back after a power cut is cleared at the next start;
        // the swap file, a name of the store's own, must stay gone.
        if (!isLeftoverName(QFileInfo(name).fileName()))
            named.insert(QFileInfo(name).absolutePath());
    }
    for (const QString& dir : named)
        syncDirectory(dir);
    m_takenOut.clear();
}

QIODevice* FileTransaction::stage(const StoreItem& target, mode_t mode, const FileState* ownedLike)
{
    auto file = std::make_unique<StagedFile>(target.host);
    // Root writing in a user's store leaves the files the user's, as they were.
    const bool chown =
        ownedLike && ownedLike->exists() && ::geteuid() == 0 && ownedLike->owner != 0;
    if (!file->create(mode, chown ? ownedLike->owner : uid_t(-1),
                      chown ? ownedLike->group : gid_t(-1))) {
        m_failures.failWith(FileStep::Write, target, file->failure());
        return nullptr;
    }
    QIODevice* device = file.get();
    m_staged[target.host] = std::move(file);
    return device;
}

bool FileTransaction::stageRange(const StoreItem& target, const StoreItem& from,
                                 const OpenFile& source, qint64 begin, qint64 end)
{
    const auto it = m_staged.find(target.host);
    Q_ASSERT(it != m_staged.end());
    const CopyResult copied = it->second->copyRange(source.fd, begin, end);
    if (copied.failed == CopyResult::Failed::Read)
        return m_failures.failWith(FileStep::Read, from, copied.error);
    return copied.done() || stagingFailed(target);
}

bool FileTransaction::finishStaged(const StoreItem& target)
{
    const auto it = m_staged.find(target.host);
    Q_ASSERT(it != m_staged.end());
    return it->second->finish() || stagingFailed(target);
}

QString FileTransaction::finishedStaged(const StoreItem& target)
{
    const auto it = m_staged.find(target.host);
    Q_ASSERT(it != m_staged.end());
    if (!it->second->finish()) {
        stagingFailed(target);
        return {};
    }
    return it->second->stagedPath();
}

bool FileTransaction::stagingFailed(const StoreItem& target)
{
    const auto it = m_staged.find(target.host);
    const int error = it != m_staged.end() ? it->second->failure() : 0;
    return error ? m_failures.failWith(FileStep::Write, target, error)
                 : m_failures.fail(cannot(FileStep::Write, target.label), target, QString());
}

bool FileTransaction::stageCopy(const StoreItem& from, const OpenFile& source, const StoreItem& to,
                                mode_t mode, ContentDigest* digest)
{
    QIODevice* out = stage(to, mode, &source.state);
    if (!out)
        return false;
    DigestBuilder builder;
    bool wrote = true;
    const int error =
        readBlocks(source.fd, 0, std::numeric_limits<qint64>::max(), [&](QByteArrayView b) {
            if (digest)
                builder.add(b);
            return (wrote = out->write(b.data(), b.size()) == b.size());
        });
    if (!wrote)
        return stagingFailed(to);
    if (error)
        return m_failures.failWith(FileStep::Read, from, error);
    if (digest)
        *digest = builder.finish();
    return true;
}

bool FileTransaction::stageLink(const OpenFile& source, const StoreItem& from, const StoreItem& to)
{
    auto file = std::make_unique<StagedFile>(to.host);
    if (!file->linkTo(source.fd, from.host)) {
        // On another file system (a folder of the input method's elsewhere) a copy does.
        const int error = file->failure();
        if (error == EXDEV || error == EPERM || error == EMLINK || error == EOPNOTSUPP)
            return stageCopy(from, source, to, source.state.mode & 0666);
        return m_failures.failWith(FileStep::Write, to, error);
    }
    m_staged[to.host] = std::move(file);
    return true;
}

bool FileTransaction::syncChanges()
{
    for (const QString& dir : m_firstDirs) {
        if (const int error = syncDirectory(dir))
            return m_failures.failWith(FileStep::Sync, {dir, dir, QStringLiteral("历史记录")},
                                       error);
    }
    m_firstDirs.clear();
    for (const QString& dir : m_dirtyDirs) {
        if (const int error = syncDirectory(dir))
            return m_failures.failWith(FileStep::Sync, {dir, dir, QStringLiteral("改动")}, error);
    }
    m_dirtyDirs.clear();
    return true;
}

bool FileTransaction::put(const StoreItem& target, const OpenFile* expected)
{
    return putStaged(target, expected, nullptr);
}

bool FileTransaction::putKeepingOldAs(const StoreItem& target, const StoreItem& keepOldAs)
{
    return putStaged(target, nullptr, &keepOldAs);
}

bool FileTransaction::putStaged(const StoreItem& target, const OpenFile* expected,
                                const StoreItem* keepOldAs)
{
    const auto it = m_staged.find(target.host);
    Q_ASSERT(it != m_staged.end());
    const std::unique_ptr<StagedFile> file = std::move(it->second);
    m_staged.erase(it);
    if (!file->finish())
        return m_failures.failWith(FileStep::Write, target, file->failure());
    // Whatever the history received, and every file replaced so far, is on
    // disk before the phrase file itself is replaced; the history before anything.
    if ((expected || !m_firstDirs.empty()) && !syncChanges())
        return false;
    const QString staged = file->stagedPath();
    const QString final = target.host;
    const auto changedMeanwhile = [&] { return m_failures.failChangedMeanwhile(target); };
    const auto untouched = [&](const QString& at) {
        return fileState(at).sameFileAs(expected->state) &&
               fileState(expected->fd).sameFileAs(expected->state);
    };
    if (expected && !untouched(final))
        return changedMeanwhile();

    const FileState before = fileState(final);
    if (keepOldAs && before.exists()) {
        if (const int error = linkFile(final, keepOldAs->host))
            return m_failures.failWith(FileStep::Write, *keepOldAs, error);
        const QString kept = keepOldAs->host;
        onRollBack([kept] { return removeFile(kept) == 0; });
        m_takenOut.push_back(kept);
    }
    if (!before.exists()) {
        // Someone may make the file in the meantime; theirs is never replaced unseen.
        if (::renameat2(AT_FDCWD, local(staged).constData(), AT_FDCWD, local(final).constData(),
                        RENAME_NOREPLACE) != 0) {
            const int error = errno;
            return error == EEXIST ? changedMeanwhile()
                                   : m_failures.failWith(FileStep::Write, target, error);
        }
        file->release();
        onRollBack([final] { return removeFile(final) == 0; });
    } else if (const int error = exchange(staged, final)) {
        if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP)
            return m_failures.failWith(FileStep::Write, target, error);
        // A file system that cannot exchange: keep the old aside, then rename.
        QString aside;
        if (const int e = hiddenNameBeside(final, "old", &aside))
            return m_failures.failWith(FileStep::Write, target, e);
        if (const int e = linkFile(final, aside))
            return m_failures.failWith(FileStep::Write, target, e);
        if (const int e = renameFile(staged, final, false)) {
            removeFile(aside);
            return m_failures.failWith(FileStep::Write, target, e);
        }
        file->release();
        m_takenOut.push_back(aside);
        onRollBack([aside, final] { return renameFile(aside, final, false) == 0; });
    } else {
        // The old file now has the hidden name; exchanging again undoes it.
        file->release();
        m_takenOut.push_back(staged);
        onRollBack(
            [staged, final] { return exchange(staged, final) == 0 && removeFile(staged) == 0; });
        // A write that came between the look above and the exchange went to
        // the old file: put it back, with what was written.
        if (expected && !untouched(staged)) {
            m_takenOut.pop_back();
            if (m_undo.back()())
                m_undo.pop_back();
            return changedMeanwhile();
        }
    }
    dirty(final);
    return true;
}

bool FileTransaction::setAside(const QString& path, FileStep step, const StoreItem& item)
{
    QString aside;
    int error = hiddenNameBeside(path, "old", &aside);
    if (!error)
        error = renameFile(path, aside, false);
    if (error)
        return m_failures.failWith(step, item, error);
    onRollBack([aside, path] { return renameFile(aside, path, false) == 0; });
    m_takenOut.push_back(aside);
    dirty(path);
    return true;
}

bool FileTransaction::remove(const StoreItem& item)
{
    return setAside(item.host, FileStep::Remove, item);
}

bool FileTransaction::writeStamp(const StoreItem& stamp, const QByteArray& bytes, mode_t mode)
{
    QIODevice* out = stage(stamp, mode);
    if (!out)
        return false;
    if (out->write(bytes) != bytes.size())
        return stagingFailed(stamp);
    return put(stamp);
}

} // namespace jlex
