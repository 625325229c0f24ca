#pragma once

#include <QByteArrayView>

namespace jlex {

enum class PhraseTable {
    Kana,     // romaji to kana; always installed
    Greeting, // pinyin of everyday Chinese phrases to Japanese phrases
    Kanji,    // toneless pinyin to Japanese kanji
};

// A table as it goes into the phrase file: GBK, every line ended by CR LF, so
// tables join by plain concatenation. Built from the UTF-8 text beside this file.
QByteArrayView phraseTable(PhraseTable table);

} // namespace jlex
