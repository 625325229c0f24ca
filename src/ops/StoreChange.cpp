#include "ops/StoreChange.h"

#include "store/FileErrors.h"
#include "store/Leftovers.h"
#include "store/PhraseLink.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace jlex {

namespace {

QByteArray local(const QString& path)
{
    return QFile::encodeName(path);
}

QString shownDirOf(const QString& shownPath)
{
    const qsizetype cut =
        std::max(shownPath.lastIndexOf(QLatin1Char('\\')), shownPath.lastIndexOf(QLatin1Char('/')));
    return shownPath.left(cut + 1);
}

QString fileNameOf(const QString& shownPath)
{
    return shownPath.mid(shownDirOf(shownPath).size());
}

const QString kInTheWay = QStringLiteral("这个位置被同名的目录或其他项目占用");
const QString kNoFollow = QStringLiteral("本程序不跟随自己文件名上的符号链接（它可能是别人放的），"
                                         "请查看并移走它");

// Swaps two names in one step; 0, or the error number.
int exchange(const QString& a, const QString& b)
{
    return ::renameat2(AT_FDCWD, local(a).constData(), AT_FDCWD, local(b).constData(),
                       RENAME_EXCHANGE) == 0
               ? 0
               : errno;
}

// A copy in the history where no second name can be made (another file system).
int copyInto(int fd, const QString& name)
{
    StagedFile copy(name);
    if (!copy.create(0600))
        return copy.failure();
    if (const int error =
            readBlocks(fd, 0, std::numeric_limits<qint64>::max(), [&](QByteArrayView b) {
                return copy.write(b.data(), b.size()) == b.size();
            }))
        return copy.failure() ? copy.failure() : error;
    if (!copy.finish())
        return copy.failure();
    if (const int error = renameFile(copy.stagedPath(), name, false))
        return error;
    copy.release();
    return 0;
}

} // namespace

OpenFile::~OpenFile()
{
    if (fd >= 0)
        ::close(fd);
}

mode_t phraseFileMode(const FileState& content, const FileState& replaced)
{
    mode_t mode = content.mode & 0666;
    if (replaced.exists())
        mode &= replaced.mode;
    return mode | 0600;
}

StoreChange::StoreChange(const History& history, QString operation)
    : m_history(history), m_operation(std::move(operation))
{}

StoreChange::~StoreChange()
{
    rollBack();
}

bool StoreChange::fail(const QString& action, const StoreItem& item, const QString& reason)
{
    if (!m_error)
        m_error = StoreError{action, item.path, item.host, reason};
    return false;
}

bool StoreChange::failWith(const QString& action, const StoreItem& item, int error)
{
    return fail(action, item, reasonFor(error));
}

void StoreChange::dirty(const QString& path)
{
    m_dirtyDirs.insert(QFileInfo(path).absolutePath());
}

bool StoreChange::rollBack()
{
    bool all = true;
    while (!m_undo.empty()) {
        all = m_undo.back()() && all;
        m_undo.pop_back();
    }
    m_history.changed();
    m_takenOut.clear();
    m_kept.clear();
    m_staged.clear(); // a staged file never put in place removes its hidden file
    for (const QString& dir : m_dirtyDirs)
        syncDirectory(dir);
    m_dirtyDirs.clear();
    return all;
}

void StoreChange::commit()
{
    m_undo.clear();
    std::set<QString> named;
    for (const QString& name : m_takenOut) {
        throwAway(name, m_history.dir());
        // A hidden name back after a power cut is cleared at the next start;
        // the swap file, a name of the store's own, must stay gone.
        if (!isLeftoverName(QFileInfo(name).fileName()))
            named.insert(QFileInfo(name).absolutePath());
    }
    for (const QString& dir : named)
        syncDirectory(dir);
    m_takenOut.clear();
    m_history.changed();
    // What only the history holds now is private to the user.
    for (const HistoryEntry& entry : m_kept) {
        const FileState state = fileState(entry.path);
        if (state.isFile() && state.links == 1 && (state.mode & 077))
            ::chmod(local(entry.path).constData(), 0600);
    }
    m_history.prune(QDateTime::currentDateTime());
}

bool StoreChange::requireFile(const StoreItem& item)
{
    const FileState state = fileState(item.host);
    switch (state.kind) {
    case FileState::Kind::Absent:
        return fail(QStringLiteral("找不到") + item.label, item, QStringLiteral("文件不存在"));
    case FileState::Kind::Link:
        return fail(item.label + QStringLiteral("是一个符号链接"), item, kNoFollow);
    case FileState::Kind::Failed:
        return failWith(QStringLiteral("无法读取") + item.label, item, state.error);
    case FileState::Kind::Directory:
    case FileState::Kind::Other:
        return fail(item.label + QStringLiteral("不是普通文件"), item, kInTheWay);
    case FileState::Kind::File:
        break;
    }
    const int fd = openForReading(item.host);
    if (fd < 0)
        return failWith(QStringLiteral("无法读取") + item.label, item, -fd);
    ::close(fd);
    return true;
}

bool StoreChange::requireAbsent(const StoreItem& item, const QString& action, const QString& reason)
{
    if (fileState(item.host).exists())
        return fail(action, item, reason);
    return true;
}

bool StoreChange::requireReplaceable(const StoreItem& item)
{
    const FileState state = fileState(item.host);
    if (state.kind == FileState::Kind::Link)
        return fail(item.label + QStringLiteral("是一个符号链接"), item, kNoFollow);
    if (state.kind == FileState::Kind::Failed)
        return failWith(QStringLiteral("无法访问") + item.label, item, state.error);
    if (state.exists() && !state.isFile())
        return fail(item.label + QStringLiteral("不是普通文件"), item, kInTheWay);
    return true;
}

bool StoreChange::openPhraseFile(StoreItem& item, bool mustExist, OpenFile& file)
{
    const PhraseTarget target = resolvePhraseFile(item.host);
    if (target.error) {
        const QString action = target.error == ENOENT ? QStringLiteral("找不到") + item.label
                               : target.error == EPERM ? QStringLiteral("不能跟随") + item.label +
                                                             QStringLiteral("的符号链接")
                                                       : QStringLiteral("无法读取") + item.label;
        return fail(action, item, phraseTargetReason(target));
    }
    item.host = target.path;
    if (!fileState(item.host).exists()) {
        if (mustExist)
            return fail(QStringLiteral("找不到") + item.label, item, QStringLiteral("文件不存在"));
        return requireReplaceable(item);
    }
    return openFile(item, file);
}

bool StoreChange::openFile(const StoreItem& item, OpenFile& file)
{
    if (!requireFile(item))
        return false;
    file.fd = openForReading(item.host);
    if (file.fd < 0) {
        const int error = -file.fd;
        file.fd = -1;
        return failWith(QStringLiteral("无法读取") + item.label, item, error);
    }
    file.state = fileState(file.fd);
    return true;
}

bool StoreChange::requireWritableDirOf(const StoreItem& item, bool mayCreate)
{
    const QString hostDir = QFileInfo(item.host).absolutePath();
    const QString name = fileNameOf(item.path);
    // A linked file is written in the directory of the file the link points at.
    const bool linked = QFileInfo(item.host).fileName() != name;
    const StoreItem dir{linked ? hostDir : shownDirOf(item.path), hostDir, QStringLiteral("目录")};
    if (mayCreate && !fileState(hostDir, true).exists()) {
        if (const int error = makePrivateDirs(hostDir))
            return failWith(QStringLiteral("无法创建") + name + QStringLiteral("所在的目录"), dir,
                            error);
    }
    const FileState state = fileState(hostDir, true);
    if (state.kind != FileState::Kind::Directory)
        return fail(QStringLiteral("找不到") + name + QStringLiteral("所在的目录"), dir,
                    state.exists() ? reasonFor(ENOTDIR)
                                   : QStringLiteral("目录不存在（本程序不会创建目录）"));
    if (::access(local(hostDir).constData(), W_OK | X_OK) != 0)
        return failWith(QStringLiteral("无法写入") + name + QStringLiteral("所在的目录"), dir,
                        errno);
    return true;
}

bool StoreChange::requireHistory()
{
    const StoreItem item{m_history.dir(), m_history.dir(), QStringLiteral("历史记录目录")};
    if (const int error = makePrivateDirs(m_history.dir()))
        return failWith(QStringLiteral("无法创建历史记录目录"), item, error);
    const FileState state = fileState(m_history.dir());
    if (state.kind != FileState::Kind::Directory)
        return fail(QStringLiteral("历史记录目录不是目录"), item, kNoFollow);
    if (::access(local(m_history.dir()).constData(), W_OK | X_OK) != 0)
        return failWith(QStringLiteral("无法写入历史记录目录"), item, errno);
    return true;
}

QIODevice* StoreChange::stage(const StoreItem& target, mode_t mode, const FileState* ownedLike)
{
    auto file = std::make_unique<StagedFile>(target.host);
    // Root writing in a user's store leaves the files the user's, as they were.
    const bool chown =
        ownedLike && ownedLike->exists() && ::geteuid() == 0 && ownedLike->owner != 0;
    if (!file->create(mode, chown ? ownedLike->owner : uid_t(-1),
                      chown ? ownedLike->group : gid_t(-1))) {
        failWith(QStringLiteral("无法写入") + target.label, target, file->failure());
        return nullptr;
    }
    QIODevice* device = file.get();
    m_staged[target.host] = std::move(file);
    return device;
}

bool StoreChange::stageRange(const StoreItem& target, const OpenFile& source, qint64 from,
                             qint64 to)
{
    const auto it = m_staged.find(target.host);
    Q_ASSERT(it != m_staged.end());
    return it->second->copyRange(source.fd, from, to) || stagingFailed(target);
}

bool StoreChange::finishStaged(const StoreItem& target)
{
    const auto it = m_staged.find(target.host);
    Q_ASSERT(it != m_staged.end());
    return it->second->finish() || stagingFailed(target);
}

bool StoreChange::stagingFailed(const StoreItem& target)
{
    const auto it = m_staged.find(target.host);
    const int error = it != m_staged.end() ? it->second->failure() : 0;
    return error ? failWith(QStringLiteral("无法写入") + target.label, target, error)
                 : fail(QStringLiteral("无法写入") + target.label, target, QString());
}

bool StoreChange::stageCopy(const StoreItem& from, const OpenFile& source, const StoreItem& to,
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
        return failWith(QStringLiteral("无法读取") + from.label, from, error);
    if (digest)
        *digest = builder.finish();
    return true;
}

bool StoreChange::stageLink(const OpenFile& source, const StoreItem& from, const StoreItem& to)
{
    auto file = std::make_unique<StagedFile>(to.host);
    if (!file->linkTo(source.fd, from.host)) {
        // On another file system (a Rime folder elsewhere) a copy does.
        const int error = file->failure();
        if (error == EXDEV || error == EPERM || error == EMLINK || error == EOPNOTSUPP)
            return stageCopy(from, source, to, source.state.mode & 0666);
        return failWith(QStringLiteral("无法写入") + to.label, to, error);
    }
    m_staged[to.host] = std::move(file);
    return true;
}

bool StoreChange::linkIntoHistory(int fd, const QString& path, const QString& name)
{
    StagedFile link(name);
    int error = link.linkTo(fd, path) ? 0 : link.failure();
    if (!error) {
        error = renameFile(link.stagedPath(), name, false);
        if (!error)
            link.release();
    }
    // Across file systems, or where links are not allowed, a copy does.
    if (error == EXDEV || error == EPERM || error == EMLINK || error == EOPNOTSUPP)
        error = copyInto(fd, name);
    if (error)
        return failWith(QStringLiteral("无法把被替换的内容保存到历史记录"),
                        {m_history.dir(), m_history.dir(), QStringLiteral("历史记录目录")}, error);
    m_undo.push_back([name] { return removeFile(name) == 0; });
    return true;
}

bool StoreChange::keepInHistory(const OpenFile& file, const StoreItem& item,
                                const ContentDigest& digest, bool pinned)
{
    if (!digest.valid())
        return failWith(QStringLiteral("无法读取") + item.label, item, EIO);
    const StoreItem historyItem{m_history.dir(), m_history.dir(), QStringLiteral("历史记录")};
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
    m_historyDirty = true;
    const bool sameFile = existing && existing->state.device == file.state.device &&
                          existing->state.inode == file.state.inode;
    if (sameFile) {
        if (existing->path != name) {
            if (const int error = renameFile(existing->path, name, false))
                return failWith(QStringLiteral("无法更新历史记录"), historyItem, error);
            const QString old = existing->path;
            m_undo.push_back([old, name] { return renameFile(name, old, false) == 0; });
        }
    } else {
        // The file itself goes in, even where an equal content is kept
        // already: a program that still holds it open may write on into it.
        if (existing) {
            const QString aside = hiddenNameBeside(existing->path, "old");
            if (const int error = aside.isEmpty() ? EIO : renameFile(existing->path, aside, false))
                return failWith(QStringLiteral("无法更新历史记录"), historyItem, error);
            const QString old = existing->path;
            m_undo.push_back([aside, old] { return renameFile(aside, old, false) == 0; });
            m_takenOut.push_back(aside);
        }
        if (!linkIntoHistory(file.fd, item.host, name))
            return false;
    }
    m_history.changed();
    if (auto entry = m_history.withDigest(digest.hex()))
        m_kept << *entry;
    return true;
}

bool StoreChange::keepStagedInHistory(const StoreItem& target, const ContentDigest& digest,
                                      bool pinned)
{
    const auto it = m_staged.find(target.host);
    Q_ASSERT(it != m_staged.end());
    if (!it->second->finish())
        return stagingFailed(target);
    OpenFile staged;
    staged.fd = openForReading(it->second->stagedPath());
    if (staged.fd < 0)
        return failWith(QStringLiteral("无法写入") + target.label, target, -staged.fd);
    return keepInHistory(staged, target, digest, pinned);
}

bool StoreChange::keepExistingInHistory(const StoreItem& item)
{
    const FileState state = fileState(item.host);
    if (!state.isFile())
        return true;
    if (const auto held = m_history.holding(state)) {
        OpenFile file;
        file.fd = openForReading(held->path);
        ContentDigest digest{QByteArray::fromHex(held->sha256.toLatin1()), state.size, held->lines};
        return keepInHistory(file, item, digest);
    }
    OpenFile file;
    if (!openFile(item, file))
        return false;
    return keepInHistory(file, item, digestOfFile(file.fd));
}

bool StoreChange::syncChanges()
{
    if (m_historyDirty) {
        if (const int error = syncDirectory(m_history.dir()))
            return failWith(QStringLiteral("无法把历史记录写入磁盘"),
                            {m_history.dir(), m_history.dir(), QStringLiteral("历史记录目录")},
                            error);
        m_historyDirty = false;
    }
    for (const QString& dir : m_dirtyDirs) {
        if (const int error = syncDirectory(dir))
            return failWith(QStringLiteral("无法把改动写入磁盘"),
                            {dir, dir, QStringLiteral("目录")}, error);
    }
    m_dirtyDirs.clear();
    return true;
}

bool StoreChange::failChangedMeanwhile(const StoreItem& item)
{
    return fail(QStringLiteral("另一个程序在此期间改动了") + item.label, item,
                QStringLiteral("为了不丢掉它写进去的内容，本次没有替换任何文件；请稍后再试"));
}

bool StoreChange::requireUnchanged(const StoreItem& item, const OpenFile& file)
{
    return (fileState(file.fd).sameFileAs(file.state) &&
            fileState(item.host).sameFileAs(file.state)) ||
           failChangedMeanwhile(item);
}

bool StoreChange::put(const StoreItem& target, const OpenFile* expected)
{
    return putStaged(target, expected, nullptr);
}

bool StoreChange::putKeepingOldAs(const StoreItem& target, const StoreItem& keepOldAs)
{
    return putStaged(target, nullptr, &keepOldAs);
}

bool StoreChange::putStaged(const StoreItem& target, const OpenFile* expected,
                            const StoreItem* keepOldAs)
{
    const auto it = m_staged.find(target.host);
    Q_ASSERT(it != m_staged.end());
    const std::unique_ptr<StagedFile> file = std::move(it->second);
    m_staged.erase(it);
    const QString action = QStringLiteral("无法写入") + target.label;
    if (!file->finish())
        return failWith(action, target, file->failure());
    // Whatever the history received, and every file replaced so far, is on
    // disk before the phrase file itself is replaced; the history before anything.
    if (!(expected ? syncChanges() : !m_historyDirty || syncChanges()))
        return false;
    const QString staged = file->stagedPath();
    const QString final = target.host;
    const auto changedMeanwhile = [&] { return failChangedMeanwhile(target); };
    const auto untouched = [&](const QString& at) {
        return fileState(at).sameFileAs(expected->state) &&
               fileState(expected->fd).sameFileAs(expected->state);
    };
    if (expected && !untouched(final))
        return changedMeanwhile();

    const FileState before = fileState(final);
    if (keepOldAs && before.exists()) {
        if (const int error = linkFile(final, keepOldAs->host))
            return failWith(action, *keepOldAs, error);
        const QString kept = keepOldAs->host;
        m_undo.push_back([kept] { return removeFile(kept) == 0; });
        m_takenOut.push_back(kept);
    }
    if (!before.exists()) {
        // Someone may make the file in the meantime; theirs is never replaced unseen.
        if (::renameat2(AT_FDCWD, local(staged).constData(), AT_FDCWD, local(final).constData(),
                        RENAME_NOREPLACE) != 0) {
            const int error = errno;
            return error == EEXIST ? changedMeanwhile() : failWith(action, target, error);
        }
        file->release();
        m_undo.push_back([final] { return removeFile(final) == 0; });
    } else if (const int error = exchange(staged, final)) {
        if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP)
            return failWith(action, target, error);
        // A file system that cannot exchange: keep the old aside, then rename.
        const QString aside = hiddenNameBeside(final, "old");
        if (const int e = aside.isEmpty() ? EIO : linkFile(final, aside))
            return failWith(action, target, e);
        if (const int e = renameFile(staged, final, false)) {
            removeFile(aside);
            return failWith(action, target, e);
        }
        file->release();
        m_takenOut.push_back(aside);
        m_undo.push_back([aside, final] { return renameFile(aside, final, false) == 0; });
    } else {
        // The old file now has the hidden name; exchanging again undoes it.
        file->release();
        m_takenOut.push_back(staged);
        m_undo.push_back(
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

bool StoreChange::remove(const StoreItem& item)
{
    const QString aside = hiddenNameBeside(item.host, "old");
    if (const int error = aside.isEmpty() ? EIO : renameFile(item.host, aside, false))
        return failWith(QStringLiteral("无法删除") + item.label, item, error);
    const QString host = item.host;
    m_undo.push_back([aside, host] { return renameFile(aside, host, false) == 0; });
    m_takenOut.push_back(aside);
    dirty(host);
    return true;
}

bool StoreChange::writeStamp(const StoreItem& stamp, const QByteArray& bytes, mode_t mode)
{
    QIODevice* out = stage(stamp, mode);
    if (!out)
        return false;
    if (out->write(bytes) != bytes.size())
        return stagingFailed(stamp);
    return put(stamp);
}

} // namespace jlex
