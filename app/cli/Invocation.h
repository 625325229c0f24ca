#pragma once

#include "tables/PhraseTables.h"

#include <QList>
#include <QStringList>

namespace jlex::cli {

// The input method whose store a command works on (--ime).
enum class Ime { KavroLogin, KavroPublic, Fcitx5 };

// Each input method's phrase file takes its own bytes.
inline PhraseFormat phraseFormat(Ime ime)
{
    return ime == Ime::Fcitx5 ? PhraseFormat::Utf8Lf : PhraseFormat::GbkCrLf;
}

// A command line checked against the command it names: every value known and
// every option one the command takes.
struct Invocation {
    Ime ime = Ime::Fcitx5;
    // The tables chosen besides kana; the window's default when --tables is absent.
    QList<PhraseTable> tables = {PhraseTable::Greeting};
    bool tablesGiven = false;
    bool overwrite = false;      // install: replace the user's phrases
    bool noBackup = false;       // install: skip the backup first
    bool restoreInitial = false; // restore: --initial
    QString restoreFrom;         // restore: --from, a history id
    QStringList operands;        // lookup: the keys; search: the text; history: show ID
};

} // namespace jlex::cli
