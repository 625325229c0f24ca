#pragma once

#include "store/StorePaths.h"

namespace jlex {

// Rime's custom phrases, text<TAB>code<TAB>weight, UTF-8 with LF; the build
// makes its rows in RimeTableFormat.cpp.
inline const PhraseFormat kRimeFormat{"rime", TextEncoding::Utf8, "\n", {}, false};

// Rime's store: custom_phrase.txt in the user's Rime folder, which the stock
// pinyin schemas read as their custom phrases, UTF-8 with LF; the backups
// and stamps in jlex's own directory. The folder is the one given, or else
// that of the Rime front end found here: fcitx5-rime's, which jlex can ask to
// redeploy, before ibus-rime's.
class RimePaths : public StorePaths {
public:
    explicit RimePaths(QString rimeDir = {}) : m_given(std::move(rimeDir)) {}

    QString path(StoreFile file) const override;
    QString hostPath(const QString& shownPath) const override { return shownPath; }
    const PhraseFormat& format() const override { return kRimeFormat; }
    bool makesDirectories(StoreFile) const override { return true; }
    QString userName() const override;
    QString historyName() const override { return QStringLiteral("rime"); }

    QString rimeDir() const;

protected:
    QString ownProblem() const override;

private:
    QString m_given;
};

} // namespace jlex
