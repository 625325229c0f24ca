#include "ops/Operations.h"

#include "ops/StoreChange.h"
#include "ops/StoreItems.h"
#include "store/HostPath.h"
#include "store/PhraseLines.h"
#include "store/StoreEntry.h"
#include "tables/PhraseTables.h"

#include <QFile>

namespace jlex {

namespace {

std::optional<OperationFailure> failed(StoreChange& change)
{
    const bool undone = change.rollBack();
    auto left = OperationFailure::Left::Changed;
    if (undone)
        left = change.discarded() ? OperationFailure::Left::LatestBackupDiscarded
                                  : OperationFailure::Left::Unchanged;
    return OperationFailure{*change.error(), left};
}

// Writes the tables, then in add mode the user's lines, then the closing CR LF.
bool stageInstallText(StoreChange& change, const StoreItem& phrases, const InstallChoices& choices)
{
    QIODevice* device = change.stage(phrases);
    if (!device)
        return false;
    BlockWriter out(*device);
    bool written = out.write(phraseTable(PhraseTable::Kana));
    if (choices.greeting)
        written = written && out.write(phraseTable(PhraseTable::Greeting));
    if (choices.kanji)
        written = written && out.write(phraseTable(PhraseTable::Kanji));
    if (choices.addMode) {
        QFile existing(hostPath(phrases.path));
        const bool opened = existing.open(QIODevice::ReadOnly);
        if (!opened || !copyPhraseLines(existing, out)) {
            if (!opened || existing.error() != QFileDevice::NoError)
                return change.fail(QStringLiteral("无法读取") + phrases.label, phrases,
                                   existing.errorString());
            return change.stagingFailed(phrases);
        }
    }
    written = written && out.write("\r\n") && out.flush();
    return written || change.stagingFailed(phrases);
}

// The backup slot an Install or a Backup fills: the initial backup while there
// is none, the latest backup after that.
struct BackupSlot {
    StoreItem backup;
    StoreItem stamp;
    bool initial;
};

BackupSlot backupSlot(const StorePaths& paths)
{
    if (!storeEntryExists(paths.path(StoreFile::InitialBackup)))
        return {storeItem(paths, StoreFile::InitialBackup),
                storeItem(paths, StoreFile::InitialStamp), true};
    return {storeItem(paths, StoreFile::LatestBackup), storeItem(paths, StoreFile::LatestStamp),
            false};
}

bool checkSlot(StoreChange& change, const BackupSlot& slot)
{
    return change.requireReplaceable(slot.backup) && change.requireWritableDirOf(slot.backup) &&
           change.requireReplaceable(slot.stamp) && change.requireWritableDirOf(slot.stamp);
}

// Restore to the initial state and Uninstall: the phrase file becomes the
// latest backup and a copy of the initial backup takes its place.
std::optional<OperationFailure> returnToInitialBackup(const StorePaths& paths)
{
    const StoreItem phrases = storeItem(paths, StoreFile::Phrases);
    const StoreItem initial = storeItem(paths, StoreFile::InitialBackup);
    const StoreItem latest = storeItem(paths, StoreFile::LatestBackup);
    const StoreItem stamp = storeItem(paths, StoreFile::InitialStamp);
    StoreChange change;
    const bool ready = change.requireFile(initial) && change.requireFile(phrases) &&
                       change.requireReplaceable(latest) && change.requireWritableDirOf(phrases) &&
                       change.requireReplaceable(stamp) && change.requireWritableDirOf(stamp) &&
                       change.stageCopy(initial, phrases);
    if (!ready || !change.removeIfPresent(latest) || !change.rename(phrases, latest) ||
        !change.put(phrases) || !change.writeStamp(stamp))
        return failed(change);
    change.keep();
    return std::nullopt;
}

} // namespace

QString failureMessage(const QString& operation, const OperationFailure& failure)
{
    QString text =
        operation + QStringLiteral("未能完成。\n") + failure.error.describe() + QLatin1Char('\n');
    switch (failure.left) {
    case OperationFailure::Left::Unchanged:
        return text + QStringLiteral("所有文件均保持原样。");
    case OperationFailure::Left::LatestBackupDiscarded:
        return text + QStringLiteral("词库文件保持原样，但旧的最近备份已被删除。");
    case OperationFailure::Left::Changed:
        break;
    }
    return text + QStringLiteral("部分更改未能撤销，请检查上述目录中的文件。");
}

std::optional<OperationFailure> install(const StorePaths& paths, const QString& heldPhrasePath,
                                        const InstallChoices& choices)
{
    const StoreItem phrases = heldPhrases(heldPhrasePath);
    StoreChange change;
    // Adding reads the phrase file and backing up moves it: both need it there.
    bool ready = (choices.addMode || choices.backupFirst) ? change.requireFile(phrases)
                                                          : change.requireReplaceable(phrases);
    ready = ready && change.requireWritableDirOf(phrases);
    const BackupSlot slot = backupSlot(paths);
    if (choices.backupFirst)
        ready = ready && checkSlot(change, slot);
    // The new file is complete before the old one is moved aside, so the
    // backup and the kept lines hold the same content.
    if (!ready || !stageInstallText(change, phrases, choices))
        return failed(change);
    if (choices.backupFirst) {
        if ((!slot.initial && !change.removeIfPresent(slot.backup)) ||
            !change.rename(phrases, slot.backup) || !change.writeStamp(slot.stamp))
            return failed(change);
    }
    if (!change.put(phrases))
        return failed(change);
    change.keep();
    return std::nullopt;
}

std::optional<OperationFailure> backup(const StorePaths& paths, const QString& heldPhrasePath)
{
    const StoreItem phrases = heldPhrases(heldPhrasePath);
    const BackupSlot slot = backupSlot(paths);
    StoreChange change;
    // The copy replaces an earlier latest backup in one step when it is moved
    // into place, so there is no moment without a latest backup.
    if (!change.requireFile(phrases) || !checkSlot(change, slot) ||
        !change.stageCopy(phrases, slot.backup) || !change.put(slot.backup) ||
        !change.writeStamp(slot.stamp))
        return failed(change);
    change.keep();
    return std::nullopt;
}

std::optional<OperationFailure> restore(const StorePaths& paths, bool toInitialState)
{
    if (toInitialState)
        return returnToInitialBackup(paths);

    const StoreItem phrases = storeItem(paths, StoreFile::Phrases);
    const StoreItem latest = storeItem(paths, StoreFile::LatestBackup);
    const StoreItem swap = storeItem(paths, StoreFile::Swap);
    const StoreItem stamp = storeItem(paths, StoreFile::LatestStamp);
    StoreChange change;
    // A swap file left by an interrupted exchange may be the only copy of
    // someone's phrases: never overwrite or remove it.
    const bool ready =
        change.requireFile(latest) && change.requireFile(phrases) &&
        change.requireAbsent(
            swap, QStringLiteral("发现上次还原遗留的临时交换文件，其中可能保存着您的词条"),
            QStringLiteral("请先查看并移走该文件，再进行还原")) &&
        change.requireWritableDirOf(phrases) && change.requireReplaceable(stamp) &&
        change.requireWritableDirOf(stamp);
    if (!ready || !change.rename(latest, swap) || !change.rename(phrases, latest) ||
        !change.rename(swap, phrases) || !change.writeStamp(stamp))
        return failed(change);
    change.keep();
    return std::nullopt;
}

std::optional<OperationFailure> uninstall(const StorePaths& paths)
{
    return returnToInitialBackup(paths);
}

} // namespace jlex
