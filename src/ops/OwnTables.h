#pragma once

#include "store/PhraseFormat.h"

#include <QtGlobal>

namespace jlex {

// How many bytes at the start of a phrase file are tables jlex wrote there,
// as any release shipped them (tables/shipped.txt), one after the other: an
// Install puts its tables in their place instead of in front of them again.
qint64 ownTablesAtStart(int fd, qint64 size, PhraseFormat format);

} // namespace jlex
