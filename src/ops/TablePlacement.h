#pragma once

#include "store/PhraseFormat.h"
#include "tables/PhraseTables.h"

#include <QByteArray>
#include <QList>

namespace jlex {

// Bytes [from, to) of a file.
struct ByteRange {
    qint64 from = 0;
    qint64 to = 0;

    friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

// What a phrase file holds: jlex's tables, in any release's form, and the
// user's bytes around them.
struct PlacedTables {
    QList<PhraseTable> tables; // jlex's, in the order found; none when it holds none
    QList<ByteRange> before;   // the user's bytes that stay in front of the tables
    QList<ByteRange> after;    // and those after them
    // The tables stand where an Install writes them; false when something
    // else (the input method itself) has moved them.
    bool inPlace = true;
    int error = 0; // the file could not be read: the system's error number
};

// Where an input method has jlex's tables in its phrase file: how an Install
// writes them and finds those it wrote before (to put the new ones in their
// place instead of adding them again), and what a restore finds in a file.
// By default the tables are a block at the very start, one after the other as
// shipped (shippedTables()), and the file ends with the format's closing line.
class TablePlacement {
public:
    virtual ~TablePlacement() = default;
    virtual PlacedTables find(int fd, qint64 size, const PhraseFormat& format) const;
    // What goes between the user's bytes before and after.
    virtual QByteArray text(const QList<PhraseTable>& tables, const PhraseFormat& format) const;
};

} // namespace jlex
