#include "ops/Operations.h"

#include "ops/OperationGuard.h"
#include "ops/StoreChange.h"
#include "ops/StoreItems.h"
#include "ops/TablePlacement.h"
#include "store/PhraseLines.h"
#include "store/Stamp.h"
#include "tables/PhraseTables.h"

#include <QDateTime>

#include <limits>

namespace jlex {

namespace {

OperationResult refused(const OperationGuard& guard)
{
    return {OperationFailure{*guard.refusal(), OperationFailure::Left::Unchanged},
            {},
            guard.leftoversCleared(),
            {}};
}

OperationResult failed(StoreChange& change, const OperationGuard& guard)
{
    const bool undone = change.rollBack();
    return {OperationFailure{*change.error(), undone ? OperationFailure::Left::Unchanged
                                                     : OperationFailure::Left::Changed},
            {},
            guard.leftoversCleared(),
            {}};
}

OperationResult succeeded(StoreChange& change, const OperationGuard& guard,
                          const QString& advice = {})
{
    const QList<HistoryEntry> kept = change.history.kept();
    change.commit();
    return {std::nullopt, kept, guard.leftoversCleared(), advice};
}

// A file that follows the tables gets what it should hold with these tables
// in the phrase file. One that cannot be edited soundly, or is something
// else than a file, is left as it is, and the advice says what to do by hand;
// a file that cannot be read fails the operation, with the reason.
bool followTables(StoreChange& change, const SideFile& side, const QList<PhraseTable>& tables,
                  QStringList* advice)
{
    const QString file = side.path();
    const StoreItem item{file, file, side.label()};
    const FileState state = fileState(file);
    std::optional<QByteArray> existing;
    if (state.kind == FileState::Kind::Failed)
        return change.failures.failWith(FileStep::Read, item, state.error);
    if (state.exists()) {
        if (!state.isFile()) {
            if (!tables.isEmpty())
                *advice << side.advice();
            return true; // a link or worse at the name: not ours to touch
        }
        OpenFile open;
        if (!change.checks.openFile(item, open))
            return false;
        int error = 0;
        existing = readBytes(open.fd, 0, std::numeric_limits<qint64>::max(), &error);
        if (error)
            return change.failures.failWith(FileStep::Read, item, error);
    }
    const SideFile::Edit edit = side.edit(existing, tables);
    switch (edit.result) {
    case SideFile::Edit::Result::Unchanged:
        return true;
    case SideFile::Edit::Result::CannotEdit:
        *advice << side.advice();
        return true;
    case SideFile::Edit::Result::Removed:
        return !existing || change.files.remove(item);
    case SideFile::Edit::Result::Changed:
        break;
    }
    QIODevice* out = change.files.stage(item, existing ? state.mode : defaultFileMode(), &state);
    return out && (out->write(edit.text) == edit.text.size() || change.files.stagingFailed(item)) &&
           change.files.put(item);
}

bool followTables(StoreChange& change, const OperationContext& context,
                  const QList<PhraseTable>& tables, QString* advice)
{
    QStringList said;
    for (const auto& side : context.sideFiles) {
        if (!followTables(change, *side, tables, &said))
            return false;
    }
    *advice = said.join(u'\n');
    return true;
}

bool writableDir(StoreChange& change, const StorePaths& paths, StoreFile file)
{
    return change.checks.requireWritableDirOf(storeItem(paths, file), paths.makesDirectories(file));
}

// A stamp tells when a backup was made, and is as private as the backup.
bool writeStamp(StoreChange& change, const StorePaths& paths, StoreFile stamp,
                const FileState& backup)
{
    return change.files.writeStamp(storeItem(paths, stamp),
                                   stampFileBytes(QDateTime::currentDateTime(), paths.format()),
                                   (backup.mode & 0666) | 0600);
}

const TablePlacement& placementOf(const OperationContext& context)
{
    static const TablePlacement atStart;
    return context.placement ? *context.placement : atStart;
}

// Bytes of the old file as the format keeps them: copied as they stand
// unless their line ends need rewriting, which only a read of the whole file
// tells.
bool stageUsersBytes(StoreChange& change, const PhraseFormat& format, const StoreItem& phrases,
                     const OpenFile& old, const ByteRange& range, BlockWriter& out,
                     bool rewriteLines)
{
    if (range.to <= range.from)
        return true;
    if (rewriteLines) {
        const CopyResult copied = copyPhraseLines(old.fd, range.from, range.to, out, format);
        if (copied.failed == CopyResult::Failed::Read)
            return change.failures.failWith(FileStep::Read, phrases, copied.error);
        return copied.done() || change.files.stagingFailed(phrases);
    }
    if (!out.flush())
        return change.files.stagingFailed(phrases);
    if (!change.files.stageRange(phrases, phrases, old, range.from, range.to))
        return false;
    // A last line without its end gets one where the format re-ends lines.
    const QByteArray& end = format.lineEnd;
    if (!format.crLfLines || range.to - range.from < end.size())
        return format.crLfLines ? out.write(end) || change.files.stagingFailed(phrases) : true;
    int error = 0;
    const QByteArray tail = readBytes(old.fd, range.to - end.size(), end.size(), &error);
    if (error)
        return change.failures.failWith(FileStep::Read, phrases, error);
    // Shorter than when it was opened: someone cut the file meanwhile.
    if (tail.size() != end.size())
        return change.failures.failChangedMeanwhile(phrases);
    return tail == end || out.write(end) || change.files.stagingFailed(phrases);
}

// The tables, in add mode where the placement puts them among the user's
// bytes (without whatever jlex wrote there before), and the closing line.
bool stageInstallText(StoreChange& change, const OperationContext& context,
                      const StoreItem& phrases, const InstallChoices& choices, const OpenFile& old,
                      bool rewriteLines)
{
    const PhraseFormat& format = context.paths.format();
    const mode_t mode = old.isOpen() ? phraseFileMode(old.state, old.state) : defaultFileMode();
    QIODevice* device = change.files.stage(phrases, mode, old.isOpen() ? &old.state : nullptr);
    if (!device)
        return false;
    PlacedTables placed;
    if (choices.addMode && old.isOpen()) {
        placed = placementOf(context).find(old.fd, old.state.size, format);
        if (placed.error)
            return change.failures.failWith(FileStep::Read, phrases, placed.error);
    }
    BlockWriter out(*device);
    for (const ByteRange& range : placed.before) {
        if (!stageUsersBytes(change, format, phrases, old, range, out, rewriteLines))
            return false;
    }
    if (!out.write(placementOf(context).text(choices.tables, format)))
        return change.files.stagingFailed(phrases);
    for (const ByteRange& range : placed.after) {
        if (!stageUsersBytes(change, format, phrases, old, range, out, rewriteLines))
            return false;
    }
    return (out.write(format.closingLine) && out.flush()) || change.files.stagingFailed(phrases);
}

// The backup slot an Install or a Backup fills: the initial backup while there
// is none, the latest backup after that.
struct BackupSlot {
    StoreItem backup;
    StoreFile stamp;
    bool initial;
};

BackupSlot backupSlot(const StorePaths& paths)
{
    const StoreItem initial = storeItem(paths, StoreFile::InitialBackup);
    if (!fileState(initial.host).exists())
        return {initial, StoreFile::InitialStamp, true};
    return {storeItem(paths, StoreFile::LatestBackup), StoreFile::LatestStamp, false};
}

bool checkSlot(StoreChange& change, const StorePaths& paths, const BackupSlot& slot)
{
    const StoreItem stamp = storeItem(paths, slot.stamp);
    return change.checks.requireReplaceable(storeItem(paths, StoreFile::InitialBackup)) &&
           change.checks.requireReplaceable(slot.backup) &&
           change.checks.requireWritableDirOf(slot.backup,
                                              paths.makesDirectories(StoreFile::LatestBackup)) &&
           change.checks.requireReplaceable(stamp) &&
           change.checks.requireWritableDirOf(stamp, paths.makesDirectories(slot.stamp));
}

// Both restores, a restore from the history, and Uninstall: the phrase file
// becomes the latest backup and a copy of the source takes its place, in one
// step, so the input method never finds it missing. The latest backup changed,
// so its stamp is the one written. Both contents go into the history too, so a
// later edit of either in place loses neither.
OperationResult returnTo(const OperationContext& context, const QString& operation,
                         StoreFile sourceFile, const std::optional<QString>& historyId = {})
{
    const StorePaths& paths = context.paths;
    const OperationGuard guard(paths, context.seen);
    if (guard.refusal())
        return refused(guard);
    StoreChange change(guard.history(), operation);
    StoreItem phrases = storeItem(paths, StoreFile::Phrases);
    StoreItem source = storeItem(paths, sourceFile);
    const StoreItem latest = storeItem(paths, StoreFile::LatestBackup);
    const StoreItem swap = storeItem(paths, StoreFile::Swap);
    // Restoring the latest backup exchanges the two: meanwhile the old backup
    // stays visible under the swap file's name, so an interruption never hides
    // a copy of anyone's phrases.
    const bool exchange = sourceFile == StoreFile::LatestBackup;
    if (historyId) {
        QString problem;
        const auto entry = guard.history().find(*historyId, &problem);
        if (!entry) {
            change.failures.fail(FileProblem::Missing, {{}, {}, QStringLiteral("要还原的历史版本")},
                                 problem);
            return failed(change, guard);
        }
        source = {entry->id(), entry->path, QStringLiteral("历史版本")};
    }
    OpenFile from, old;
    // A swap file left by an interrupted exchange may be the only copy of
    // someone's phrases: never overwrite or remove it.
    const bool ready =
        change.checks.openFile(source, from) && change.checks.openPhraseFile(phrases, true, old) &&
        (exchange
             ? change.checks.requireAbsent(
                   swap, QStringLiteral("发现上次还原遗留的临时交换文件，其中可能保存着您的词条"),
                   QStringLiteral("请先查看并移走该文件，再进行还原"))
             : change.checks.requireReplaceable(latest)) &&
        change.checks.requireWritableDirOf(phrases) &&
        writableDir(change, paths, StoreFile::LatestBackup) &&
        change.checks.requireReplaceable(storeItem(paths, StoreFile::LatestStamp)) &&
        writableDir(change, paths, StoreFile::LatestStamp) && change.checks.requireHistory();
    if (!ready)
        return failed(change, guard);
    auto digest = digestOfFileLater(old.fd);
    QString advice;
    const PlacedTables placed = placementOf(context).find(from.fd, from.state.size, paths.format());
    if (placed.error) {
        change.failures.failWith(FileStep::Read, source, placed.error);
        return failed(change, guard);
    }
    if (!change.files.stageCopy(source, from, phrases, phraseFileMode(from.state, old.state)) ||
        !change.history.keepExisting(latest) || !change.history.keep(old, phrases, digest.get()) ||
        !change.files.stageLink(old, phrases, latest) ||
        !(exchange ? change.files.putKeepingOldAs(latest, swap) : change.files.put(latest)) ||
        !writeStamp(change, paths, StoreFile::LatestStamp, old.state) ||
        !followTables(change, context, placed.tables, &advice) ||
        !change.files.put(phrases, &old) || !change.files.syncChanges())
        return failed(change, guard);
    return succeeded(change, guard, advice);
}

} // namespace

QString failureMessage(const QString& operation, const OperationFailure& failure)
{
    const QString text =
        operation + QStringLiteral("未能完成。\n") + failure.error.describe() + QLatin1Char('\n');
    if (failure.left == OperationFailure::Left::Unchanged)
        return text + QStringLiteral("所有文件均保持原样。");
    return text + QStringLiteral("部分更改未能撤销，请检查上述目录中的文件。");
}

OperationResult install(const OperationContext& context, const QString& heldPhrasePath,
                        const InstallChoices& choices)
{
    const StorePaths& paths = context.paths;
    const OperationGuard guard(paths, context.seen);
    if (guard.refusal())
        return refused(guard);
    StoreChange change(guard.history(), QStringLiteral("install"));
    StoreItem phrases = heldPhrases(paths, heldPhrasePath);
    OpenFile old;
    // Adding reads the phrase file and backing up keeps it: both need it there.
    bool ready =
        change.checks.openPhraseFile(phrases, choices.addMode || choices.backupFirst, old) &&
        change.checks.requireWritableDirOf(phrases, paths.makesDirectories(StoreFile::Phrases)) &&
        change.checks.requireHistory();
    const BackupSlot slot = backupSlot(paths);
    if (choices.backupFirst)
        ready = ready && checkSlot(change, paths, slot);
    if (!ready)
        return failed(change, guard);
    // The history names the old file by its digest, read while the new file
    // is written and synced.
    std::future<ContentDigest> reading;
    if (old.isOpen())
        reading = digestOfFileLater(old.fd);
    if (!stageInstallText(change, context, phrases, choices, old, false) ||
        !change.files.finishStaged(phrases))
        return failed(change, guard);
    const ContentDigest digest = old.isOpen() ? reading.get() : ContentDigest{};
    // Line ends the copy kept but the format re-ends: rarely, written again.
    if (choices.addMode && digest.loneCr && paths.format().crLfLines &&
        (!stageInstallText(change, context, phrases, choices, old, true) ||
         !change.files.finishStaged(phrases)))
        return failed(change, guard);
    // The latest backup goes first: it is usually a file the history holds
    // already, found by its inode, where the phrase file's equal content
    // would take its place there and leave it to be read again.
    if (choices.backupFirst && !slot.initial && !change.history.keepExisting(slot.backup))
        return failed(change, guard);
    // What the initial backup holds stays in the history for good.
    if (old.isOpen() &&
        !change.history.keep(old, phrases, digest, choices.backupFirst && slot.initial))
        return failed(change, guard);
    // The phrase file is replaced below, so its backup may share its content.
    if (choices.backupFirst &&
        (!change.files.stageLink(old, phrases, slot.backup) || !change.files.put(slot.backup) ||
         !writeStamp(change, paths, slot.stamp, old.state)))
        return failed(change, guard);
    QString advice;
    if (!followTables(change, context, tablesToInstall(choices.tables), &advice) ||
        !change.files.put(phrases, old.isOpen() ? &old : nullptr) || !change.files.syncChanges())
        return failed(change, guard);
    return succeeded(change, guard, advice);
}

OperationResult backup(const OperationContext& context, const QString& heldPhrasePath)
{
    const StorePaths& paths = context.paths;
    const OperationGuard guard(paths, context.seen);
    if (guard.refusal())
        return refused(guard);
    StoreChange change(guard.history(), QStringLiteral("backup"));
    StoreItem phrases = heldPhrases(paths, heldPhrasePath);
    const BackupSlot slot = backupSlot(paths);
    OpenFile current;
    ContentDigest digest;
    if (!change.checks.openPhraseFile(phrases, true, current) || !checkSlot(change, paths, slot) ||
        !change.checks.requireHistory() ||
        !change.files.stageCopy(phrases, current, slot.backup, current.state.mode & 0666,
                                &digest) ||
        !change.checks.requireUnchanged(phrases, current) ||
        !(slot.initial ? change.history.keepStaged(slot.backup, digest, true)
                       : change.history.keepExisting(slot.backup)) ||
        !change.files.put(slot.backup) || !writeStamp(change, paths, slot.stamp, current.state) ||
        !change.files.syncChanges())
        return failed(change, guard);
    return succeeded(change, guard);
}

OperationResult restore(const OperationContext& context, bool toInitialState)
{
    return toInitialState
               ? returnTo(context, QStringLiteral("restore-initial"), StoreFile::InitialBackup)
               : returnTo(context, QStringLiteral("restore-latest"), StoreFile::LatestBackup);
}

OperationResult restoreFromHistory(const OperationContext& context, const QString& id)
{
    return returnTo(context, QStringLiteral("restore-from"), StoreFile::InitialBackup, id);
}

OperationResult refreshSideFiles(const OperationContext& context)
{
    const StorePaths& paths = context.paths;
    const OperationGuard guard(paths, context.seen);
    if (guard.refusal())
        return refused(guard);
    StoreChange change(guard.history(), QStringLiteral("refresh"));
    StoreItem phrases = storeItem(paths, StoreFile::Phrases);
    OpenFile old;
    if (!change.checks.openPhraseFile(phrases, false, old))
        return failed(change, guard);
    PlacedTables placed;
    if (old.isOpen()) {
        placed = placementOf(context).find(old.fd, old.state.size, paths.format());
        if (placed.error) {
            change.failures.failWith(FileStep::Read, phrases, placed.error);
            return failed(change, guard);
        }
    }
    QString advice;
    if (!followTables(change, context, placed.tables, &advice) || !change.files.syncChanges())
        return failed(change, guard);
    return succeeded(change, guard, advice);
}

OperationResult uninstall(const OperationContext& context)
{
    return returnTo(context, QStringLiteral("uninstall"), StoreFile::InitialBackup);
}

} // namespace jlex
