#pragma once

#include "store/PhraseFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace jlex {

enum class PhraseTable {
    Kana,     // romaji to kana; always installed
    Greeting, // pinyin of everyday Chinese phrases to Japanese phrases
    Kanji,    // toneless pinyin to Japanese kanji
};

// In the order they go into a phrase file.
inline const QList<PhraseTable> kAllPhraseTables = {PhraseTable::Kana, PhraseTable::Greeting,
                                                    PhraseTable::Kanji};

// A table as it goes into the phrase file, every line ended, so tables join by
// plain concatenation. Built from the UTF-8 text beside this file; empty for
// a format the build did not make.
QByteArrayView phraseTable(PhraseTable table, const PhraseFormat& format = kGbkCrLf);

// A table's bytes in one format as some release of jlex wrote them into
// phrase files, known by size and SHA-256.
struct ShippedTable {
    PhraseTable table;
    QByteArray format; // its name
    qsizetype bytes;
    QByteArray sha256;
};

// Every table jlex has ever shipped, from the records beside the tables.
const QList<ShippedTable>& shippedTables();

// The kana table, then each chosen other one once, in install order: the
// tables an install writes in front of the user's phrases.
QList<PhraseTable> tablesToInstall(const QList<PhraseTable>& chosen);

// The given tables one after the other, as export prints them.
QByteArray joinedTables(const QList<PhraseTable>& tables, const PhraseFormat& format);

// Stable names for scripts and the command line: "kana", "greeting", "kanji".
QString tableName(PhraseTable table);
std::optional<PhraseTable> tableNamed(QStringView name);

} // namespace jlex
