#pragma once

#include "tables/PhraseTables.h"
#include "targets/Registry.h"

#include <QList>
#include <QStringList>

namespace jlex::cli {

// A command line checked against the command it names: every value known and
// every option one the command takes.
struct Invocation {
    // The input method whose store a command works on (--ime); the first registered by default.
    const TargetRegistration* ime = &targetRegistrations().constFirst();
    bool imeGiven = false;
    TargetOptions options; // the input method's own, such as --rime-dir
    // The tables chosen besides kana; the window's default when --tables is absent.
    QList<PhraseTable> tables = {PhraseTable::Greeting};
    bool tablesGiven = false;
    bool overwrite = false;      // install: replace the user's phrases
    bool noBackup = false;       // install: skip the backup first
    bool restoreInitial = false; // restore: --initial
    QString restoreFrom;         // restore: --from, a history id
    bool fix = false;            // doctor: offer the fixes
    QStringList operands;        // lookup: the keys; search: the text; history: show ID

    Target target() const { return ime->make(options); }
};

} // namespace jlex::cli
