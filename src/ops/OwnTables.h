#pragma once

#include "store/PhraseFormat.h"
#include "tables/PhraseTables.h"

#include <QList>

namespace jlex {

// The tables jlex wrote at the start of a phrase file, as any release shipped
// them (shippedTables()), one after the other: how many bytes they take, and
// which they are. An Install puts its tables in their place instead of in
// front of them again.
struct OwnTables {
    qint64 bytes = 0;
    QList<PhraseTable> tables;
};

OwnTables ownTablesAtStart(int fd, qint64 size, const PhraseFormat& format);

} // namespace jlex
