#include "store/Fcitx5Paths.h"

#include "store/UserDirs.h"

namespace jlex {

QString Fcitx5Paths::path(StoreFile file) const
{
    const QString data = dataHome(nullptr);
    const QString own = data + QStringLiteral("/jlex/fcitx5/");
    switch (file) {
    case StoreFile::Phrases:
        return data + QStringLiteral("/fcitx5/pinyin/customphrase");
    case StoreFile::InitialBackup:
        return own + QStringLiteral("customphrase.initial-backup");
    case StoreFile::LatestBackup:
        return own + QStringLiteral("customphrase.latest-backup");
    case StoreFile::Swap:
        return own + QStringLiteral("customphrase.swap");
    case StoreFile::InitialStamp:
        return own + QStringLiteral("initial-backup.time");
    case StoreFile::LatestStamp:
        return own + QStringLiteral("latest-backup.time");
    }
    Q_UNREACHABLE();
    return {};
}

QString Fcitx5Paths::userName() const
{
    return accountName();
}

} // namespace jlex
