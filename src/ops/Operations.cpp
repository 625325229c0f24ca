#include "ops/Operations.h"

#include "ops/StoreChange.h"
#include "ops/StoreItems.h"
#include "store/PhraseLines.h"
#include "store/Stamp.h"
#include "tables/PhraseTables.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace jlex {

namespace {

std::optional<OperationFailure> failed(StoreChange& change)
{
    const bool undone = change.rollBack();
    return OperationFailure{*change.error(), undone ? OperationFailure::Left::Unchanged
                                                    : OperationFailure::Left::Changed};
}

bool exists(const StoreItem& item)
{
    const QFileInfo info(item.host);
    return info.isFile() || info.isDir();
}

bool writableDir(StoreChange& change, const StorePaths& paths, StoreFile file)
{
    return change.requireWritableDirOf(storeItem(paths, file), paths.makesDirectories(file));
}

bool writeStamp(StoreChange& change, const StorePaths& paths, const StoreItem& stamp)
{
    return change.writeStamp(stamp, stampFileBytes(QDateTime::currentDateTime(), paths.format()));
}

// Writes the tables, then in add mode the user's lines, then the closing line
// end where the format has one.
bool stageInstallText(StoreChange& change, const StorePaths& paths, const StoreItem& phrases,
                      const InstallChoices& choices)
{
    QIODevice* device = change.stage(phrases);
    if (!device)
        return false;
    const PhraseFormat format = paths.format();
    BlockWriter out(*device);
    bool written = out.write(phraseTable(PhraseTable::Kana, format));
    if (choices.greeting)
        written = written && out.write(phraseTable(PhraseTable::Greeting, format));
    if (choices.kanji)
        written = written && out.write(phraseTable(PhraseTable::Kanji, format));
    if (written && choices.addMode) {
        QFile existing(phrases.host);
        const bool opened = existing.open(QIODevice::ReadOnly);
        if (!opened || !copyPhraseLines(existing, out, format)) {
            if (!opened || existing.error() != QFileDevice::NoError)
                return change.fail(QStringLiteral("无法读取") + phrases.label, phrases,
                                   QStringLiteral("磁盘读写出错"));
            return change.stagingFailed(phrases);
        }
    }
    // The Kavro IME's file has always ended with an empty line.
    if (format == PhraseFormat::GbkCrLf)
        written = written && out.write(lineEnd(format));
    written = written && out.flush();
    return written || change.stagingFailed(phrases);
}

// The backup slot an Install or a Backup fills: the initial backup while there
// is none, the latest backup after that.
struct BackupSlot {
    StoreItem backup;
    StoreItem stamp;
};

BackupSlot backupSlot(const StorePaths& paths)
{
    const StoreItem initial = storeItem(paths, StoreFile::InitialBackup);
    if (!exists(initial))
        return {initial, storeItem(paths, StoreFile::InitialStamp)};
    return {storeItem(paths, StoreFile::LatestBackup), storeItem(paths, StoreFile::LatestStamp)};
}

bool checkSlot(StoreChange& change, const StorePaths& paths, const BackupSlot& slot)
{
    return change.requireReplaceable(slot.backup) &&
           change.requireWritableDirOf(slot.backup,
                                       paths.makesDirectories(StoreFile::LatestBackup)) &&
           change.requireReplaceable(slot.stamp) &&
           change.requireWritableDirOf(slot.stamp, paths.makesDirectories(StoreFile::LatestStamp));
}

// Restore to the initial state and Uninstall: the phrase file becomes the
// latest backup and a copy of the initial backup takes its place. The phrase
// file is replaced in one step, so the input method never finds it missing.
std::optional<OperationFailure> returnToInitialBackup(const StorePaths& paths)
{
    const StoreItem phrases = storeItem(paths, StoreFile::Phrases);
    const StoreItem initial = storeItem(paths, StoreFile::InitialBackup);
    const StoreItem latest = storeItem(paths, StoreFile::LatestBackup);
    const StoreItem stamp = storeItem(paths, StoreFile::InitialStamp);
    StoreChange change;
    const bool ready =
        change.requireFile(initial) && change.requireFile(phrases) &&
        change.requireReplaceable(latest) && writableDir(change, paths, StoreFile::Phrases) &&
        writableDir(change, paths, StoreFile::LatestBackup) && change.requireReplaceable(stamp) &&
        writableDir(change, paths, StoreFile::InitialStamp) && change.stageCopy(initial, phrases) &&
        change.stageCopy(phrases, latest);
    if (!ready || !change.put(latest) || !change.put(phrases) || !writeStamp(change, paths, stamp))
        return failed(change);
    change.keep();
    return std::nullopt;
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

std::optional<OperationFailure> install(const StorePaths& paths, const QString& heldPhrasePath,
                                        const InstallChoices& choices)
{
    const StoreItem phrases = heldPhrases(paths, heldPhrasePath);
    StoreChange change;
    // Adding reads the phrase file and backing up copies it: both need it there.
    bool ready = (choices.addMode || choices.backupFirst) ? change.requireFile(phrases)
                                                          : change.requireReplaceable(phrases);
    ready =
        ready && change.requireWritableDirOf(phrases, paths.makesDirectories(StoreFile::Phrases));
    const BackupSlot slot = backupSlot(paths);
    if (choices.backupFirst)
        ready = ready && checkSlot(change, paths, slot);
    // Everything new is complete on disk before anything is replaced, and the
    // phrase file itself is replaced last, in one step.
    if (!ready || !stageInstallText(change, paths, phrases, choices))
        return failed(change);
    // The phrase file is replaced below, so its backup may share its content.
    if (choices.backupFirst && (!change.stageKeep(phrases, slot.backup) ||
                                !change.put(slot.backup) || !writeStamp(change, paths, slot.stamp)))
        return failed(change);
    if (!change.put(phrases))
        return failed(change);
    change.keep();
    return std::nullopt;
}

std::optional<OperationFailure> backup(const StorePaths& paths, const QString& heldPhrasePath)
{
    const StoreItem phrases = heldPhrases(paths, heldPhrasePath);
    const BackupSlot slot = backupSlot(paths);
    StoreChange change;
    if (!change.requireFile(phrases) || !checkSlot(change, paths, slot) ||
        !change.stageCopy(phrases, slot.backup) || !change.put(slot.backup) ||
        !writeStamp(change, paths, slot.stamp))
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
        writableDir(change, paths, StoreFile::Phrases) &&
        writableDir(change, paths, StoreFile::LatestBackup) && change.requireReplaceable(stamp) &&
        writableDir(change, paths, StoreFile::LatestStamp) && change.stageCopy(latest, phrases) &&
        change.stageCopy(phrases, latest);
    // While the two are exchanged, the old latest backup stays visible under the
    // swap file's name, so an interruption never hides a copy of anyone's phrases.
    if (!ready || !change.put(latest, &swap) || !change.put(phrases) ||
        !writeStamp(change, paths, stamp))
        return failed(change);
    change.keep();
    return std::nullopt;
}

std::optional<OperationFailure> uninstall(const StorePaths& paths)
{
    return returnToInitialBackup(paths);
}

} // namespace jlex
