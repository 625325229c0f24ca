#include "ops/Survey.h"

#include "store/Leftovers.h"
#include "store/PhraseLink.h"
#include "store/Stamp.h"

#include <QFileInfo>

#include <optional>
#include <unistd.h>

namespace jlex {

namespace {

constexpr StoreFile kAllFiles[] = {StoreFile::Phrases,      StoreFile::InitialBackup,
                                   StoreFile::LatestBackup, StoreFile::Swap,
                                   StoreFile::InitialStamp, StoreFile::LatestStamp};

// A file or a directory of that name counts, as a directory listing would
// show it; jlex's own names are never followed, so a link there does not.
bool present(const StorePaths& paths, StoreFile file)
{
    const FileState state = fileState(paths.host(file));
    return state.isFile() || state.kind == FileState::Kind::Directory;
}

bool phraseFilePresent(const StorePaths& paths)
{
    const PhraseTarget target = resolvePhraseFile(paths.host(StoreFile::Phrases));
    // A link jlex will not follow is still something in the way of a new file.
    if (target.error)
        return target.error != ENOENT || target.linked;
    const FileState state = fileState(target.path);
    return state.isFile() || state.kind == FileState::Kind::Directory;
}

// Only the first line matters; a stamp is never long, so a small read suffices.
QString readStamp(const StorePaths& paths, StoreFile stamp)
{
    const int fd = openForReading(paths.host(stamp));
    if (fd < 0)
        return {};
    int error = 0;
    const QByteArray bytes = readBytes(fd, 0, 4096, &error);
    ::close(fd);
    // One that cannot be read shows no time; the operation that needs it says why.
    return error ? QString() : stampFromFileBytes(bytes, paths.format());
}

StoreStatus::State stateOf(const StorePaths& paths, StoreFile file)
{
    QString host = paths.host(file);
    if (file == StoreFile::Phrases) {
        const PhraseTarget target = resolvePhraseFile(host);
        if (target.error == ENOENT && !target.linked)
            return StoreStatus::State::Absent;
        if (target.error)
            return target.error == EACCES ? StoreStatus::State::Unreadable
                                          : StoreStatus::State::NotAFile;
        host = target.path;
    }
    const FileState state = fileState(host);
    if (!state.exists())
        return StoreStatus::State::Absent;
    if (state.kind == FileState::Kind::Failed)
        return StoreStatus::State::Unreadable;
    if (!state.isFile())
        return StoreStatus::State::NotAFile;
    const int fd = openForReading(host);
    if (fd < 0)
        return StoreStatus::State::Unreadable;
    ::close(fd);
    return StoreStatus::State::Present;
}

} // namespace

StoreFingerprint storeFingerprint(const StorePaths& paths)
{
    StoreFingerprint print;
    for (const StoreFile file : kAllFiles)
        print << fileState(paths.host(file));
    // And what the phrase file's link stands for, which may change under the same link.
    print << fileState(paths.host(StoreFile::Phrases), true);
    return print;
}

SurveyResult survey(const StorePaths& paths, const ControlStates& current)
{
    SurveyResult result;
    result.fingerprint = storeFingerprint(paths);
    ControlStates& c = result.controls;
    c = current;

    c.restoreInitial = {true, true};
    c.restoreLatest = {true, false};
    c.restoreAvailable = true;
    result.heldPhrasePath = paths.path(StoreFile::Phrases);
    c.addMode.enabled = true;
    c.backupFirst.enabled = true;
    c.backupAvailable = true;

    if (!phraseFilePresent(paths)) {
        // Nothing to add to and nothing to back up.
        result.noPhraseFile = true;
        c.overwriteMode.selected = true;
        c.addMode = {false, false};
        result.backupUnticked = c.backupFirst.selected;
        c.backupFirst = {false, false};
        c.backupAvailable = false;
    }
    result.userName = paths.userName();

    // The restore choices follow the stamps, not the backup files.
    if (present(paths, StoreFile::InitialStamp))
        result.initialBackupTime = readStamp(paths, StoreFile::InitialStamp);
    else
        c.restoreInitial = {false, false};
    if (present(paths, StoreFile::LatestStamp))
        result.latestBackupTime = readStamp(paths, StoreFile::LatestStamp);
    else
        c.restoreLatest = {false, false};
    if (!c.restoreInitial.enabled && !c.restoreLatest.enabled)
        c.restoreAvailable = false;
    return result;
}

QStringList storeDirectories(const StorePaths& paths)
{
    QStringList dirs;
    for (const StoreFile file : kAllFiles) {
        QString host = paths.host(file);
        if (file == StoreFile::Phrases)
            host = resolvePhraseFile(host).path;
        const QString dir = QFileInfo(host).absolutePath();
        if (!dirs.contains(dir))
            dirs << dir;
    }
    return dirs;
}

StoreStatus storeStatus(const StorePaths& paths)
{
    StoreStatus status;
    const auto add = [&](StoreFile file, std::optional<StoreFile> stamp = std::nullopt) {
        StoreStatus::Entry entry{
            file, paths.path(file), paths.host(file), stateOf(paths, file), {}};
        if (stamp && present(paths, *stamp))
            entry.time = readStamp(paths, *stamp);
        status.entries << entry;
    };
    add(StoreFile::Phrases);
    add(StoreFile::InitialBackup, StoreFile::InitialStamp);
    add(StoreFile::LatestBackup, StoreFile::LatestStamp);
    add(StoreFile::Swap);
    status.leftovers = leftoversIn(storeDirectories(paths) << paths.historyDir());
    return status;
}

} // namespace jlex
