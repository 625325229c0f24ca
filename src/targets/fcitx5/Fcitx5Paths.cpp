#include "targets/fcitx5/Fcitx5Paths.h"

#include "store/UserDirs.h"

namespace jlex {

QString Fcitx5Paths::path(StoreFile file) const
{
    if (file == StoreFile::Phrases)
        return dataHome(nullptr) + QStringLiteral("/fcitx5/pinyin/customphrase");
    return ownStoreFile(file, QStringLiteral("customphrase"));
}

QString Fcitx5Paths::userName() const
{
    return accountName();
}

} // namespace jlex
