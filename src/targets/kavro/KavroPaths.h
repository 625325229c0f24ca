#pragma once

#include "store/StorePaths.h"
#include "targets/kavro/Edition.h"

namespace jlex {

// The Kavro IME's store: Windows path texts under the user's profile, GBK
// with CR LF, and the backups and stamps beside the phrase file.
class KavroPaths : public StorePaths {
public:
    explicit KavroPaths(Edition edition) : m_edition(edition) {}

    Edition edition() const { return m_edition; }
    QString path(StoreFile file) const override;
    QString hostPath(const QString& shownPath) const override;
    const PhraseFormat& format() const override { return kGbkCrLf; }
    bool makesDirectories(StoreFile) const override { return false; }
    QString userName() const override;
    QString historyName() const override;

protected:
    QString ownProblem() const override;
    QString lockName() const override;

private:
    Edition m_edition;
};

} // namespace jlex
