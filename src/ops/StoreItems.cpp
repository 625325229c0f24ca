#include "ops/StoreItems.h"

namespace jlex {

namespace {

QString labelOf(StoreFile file)
{
    switch (file) {
    case StoreFile::Phrases:
        return QStringLiteral("词库文件");
    case StoreFile::InitialBackup:
        return QStringLiteral("最初状态备份");
    case StoreFile::LatestBackup:
        return QStringLiteral("最近备份");
    case StoreFile::Swap:
        return QStringLiteral("临时交换文件");
    case StoreFile::InitialStamp:
        return QStringLiteral("最初备份时间记录");
    case StoreFile::LatestStamp:
        return QStringLiteral("最近备份时间记录");
    }
    Q_UNREACHABLE();
    return {};
}

} // namespace

StoreItem storeItem(const StorePaths& paths, StoreFile file)
{
    const QString shown = paths.path(file);
    return {shown, paths.hostPath(shown), labelOf(file)};
}

StoreItem heldPhrases(const StorePaths& paths, const QString& heldPhrasePath)
{
    return {heldPhrasePath, paths.hostPath(heldPhrasePath), labelOf(StoreFile::Phrases)};
}

} // namespace jlex
