#pragma once

#include "store/StorePaths.h"

namespace jlex {

// Fcitx 5 Pinyin's store: its custom-phrase file in the user's data
// directory, UTF-8 with LF, and the backups and stamps in jlex's own
// directory, since the input method's directory is not ours.
class Fcitx5Paths : public StorePaths {
public:
    QString path(StoreFile file) const override;
    QString hostPath(const QString& shownPath) const override { return shownPath; }
    const PhraseFormat& format() const override { return kUtf8Lf; }
    // Fcitx 5 makes its pinyin directory only when it first saves, and the
    // backup directory is jlex's own.
    bool makesDirectories(StoreFile) const override { return true; }
    QString userName() const override;
    QString historyName() const override { return QStringLiteral("fcitx5"); }
};

} // namespace jlex
