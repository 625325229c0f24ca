#include "ops/Survey.h"

#include "ops/Texts.h"
#include "store/Stamp.h"
#include "store/StoreEntry.h"

#include <QFile>

#include <optional>

namespace jlex {

namespace {

// Only the first line matters; a stamp is never long, so a small read suffices.
QString readStamp(const StorePaths& paths, StoreFile stamp)
{
    QFile file(paths.host(stamp));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return stampFromFileBytes(file.read(4096), paths.format());
}

QString timeLabel(const QString& heading, const StorePaths& paths, StoreFile stamp, bool present)
{
    return heading + QStringLiteral("\r\n") +
           (present ? readStamp(paths, stamp) : texts::kNoBackupTime);
}

} // namespace

SurveyResult survey(const StorePaths& paths, const ControlStates& current)
{
    SurveyResult result;
    ControlStates& c = result.controls;
    c = current;

    c.option3 = {true, true};
    c.option4 = {true, false};
    c.command4 = true;
    result.heldPhrasePath = paths.path(StoreFile::Phrases);
    c.option1.enabled = true;
    c.check1.enabled = true;
    c.command7 = true;

    if (!storeEntryExists(paths.host(StoreFile::Phrases))) {
        // Nothing to add to and nothing to back up.
        c.option2.selected = true;
        c.option1 = {false, false};
        result.backupWarning = c.check1.selected;
        c.check1 = {false, false};
        c.command7 = false;
    }

    result.label2 = paths.locationText();

    // The restore choices follow the stamps, not the backup files.
    const bool initial = storeEntryExists(paths.host(StoreFile::InitialStamp));
    result.label5 =
        timeLabel(QStringLiteral("最初状态备份时间："), paths, StoreFile::InitialStamp, initial);
    if (!initial)
        c.option3 = {false, false};

    const bool latest = storeEntryExists(paths.host(StoreFile::LatestStamp));
    result.label6 = timeLabel(latest ? QStringLiteral("最近状态备份时间：")
                                     : QStringLiteral("最近词条备份时间："),
                              paths, StoreFile::LatestStamp, latest);
    if (!latest)
        c.option4 = {false, false};

    if (!c.option3.enabled && !c.option4.enabled)
        c.command4 = false;
    return result;
}

StoreStatus storeStatus(const StorePaths& paths)
{
    StoreStatus status;
    const auto add = [&](StoreFile file, std::optional<StoreFile> stamp = std::nullopt) {
        StoreStatus::Entry entry{file, paths.path(file), storeEntryExists(paths.host(file)), {}};
        if (stamp && storeEntryExists(paths.host(*stamp)))
            entry.time = readStamp(paths, *stamp);
        status.entries << entry;
    };
    add(StoreFile::Phrases);
    add(StoreFile::InitialBackup, StoreFile::InitialStamp);
    add(StoreFile::LatestBackup, StoreFile::LatestStamp);
    add(StoreFile::Swap);
    return status;
}

} // namespace jlex
