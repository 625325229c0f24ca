#pragma once

#include "store/Edition.h"

#include <QString>

namespace jlex {

enum class StoreFile { Phrases, InitialBackup, LatestBackup, Swap, InitialStamp, LatestStamp };

// The Windows path text of each store file, which is also what users are shown.
// It is composed afresh on every call, so it follows USERNAME as it is now.
class StorePaths {
public:
    explicit StorePaths(Edition edition) : m_edition(edition) {}

    Edition edition() const { return m_edition; }
    QString path(StoreFile file) const;

    // USERNAME, or empty text when it is unset.
    static QString userName();

private:
    Edition m_edition;
};

} // namespace jlex
