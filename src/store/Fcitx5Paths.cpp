#include "store/Fcitx5Paths.h"

#include <QDir>
#include <QStandardPaths>

namespace jlex {

namespace {

QString dataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString ownFile(const char* name)
{
    return dataHome() + QStringLiteral("/jlex/fcitx5/") + QLatin1String(name);
}

} // namespace

QString Fcitx5Paths::path(StoreFile file) const
{
    switch (file) {
    case StoreFile::Phrases:
        return dataHome() + QStringLiteral("/fcitx5/pinyin/customphrase");
    case StoreFile::InitialBackup:
        return ownFile("customphrase.initial-backup");
    case StoreFile::LatestBackup:
        return ownFile("customphrase.latest-backup");
    case StoreFile::Swap:
        return ownFile("customphrase.swap");
    case StoreFile::InitialStamp:
        return ownFile("initial-backup.time");
    case StoreFile::LatestStamp:
        return ownFile("latest-backup.time");
    }
    Q_UNREACHABLE();
    return {};
}

QString Fcitx5Paths::locationText() const
{
    return QStringLiteral("                         您当前的系统用户名为：") +
           qEnvironmentVariable("USER", QDir::home().dirName()) +
           QStringLiteral("\r词库将被安装在：") + path(StoreFile::Phrases);
}

} // namespace jlex
