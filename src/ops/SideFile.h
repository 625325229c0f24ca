#pragma once

#include "tables/PhraseTables.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace jlex {

// A file that follows jlex's tables besides the phrase file: a setting the
// input method needs for them (Rime's schema patch), or the tables
// themselves where the input method reads them from a file of their own.
// Every operation that changes the phrase file asks it what it should hold
// now, and writes or removes it in the same change.
class SideFile {
public:
    struct Edit {
        enum class Result { Unchanged, Changed, Removed, CannotEdit };
        Result result = Result::Unchanged;
        QByteArray text; // the new content, for Changed
    };

    virtual ~SideFile() = default;
    virtual QString path() const = 0;  // on this machine
    virtual QString label() const = 0; // what users call it, in messages
    // `existing` is its content, or nothing when there is no file; `tables`
    // are the tables of jlex's the phrase file holds once the operation is
    // done, in their order, none when it holds none.
    virtual Edit edit(const std::optional<QByteArray>& existing,
                      const QList<PhraseTable>& tables) const = 0;
    // What the user must do by hand when the file cannot be edited soundly.
    virtual QString advice() const = 0;
};

} // namespace jlex
