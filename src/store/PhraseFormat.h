#pragma once

#include <QByteArray>
#include <QString>

namespace jlex {

// How an input method wants its phrase file: the encoding and the line end.
// Every use is a switch without a default, so a new format shows the
// compiler each place that must learn it.
enum class PhraseFormat {
    GbkCrLf, // Windows IMEs: the ANSI code page of Chinese systems
    Utf8Lf,  // Fcitx 5: key,position=text
    RimeTsv, // Rime: text<TAB>code<TAB>weight, UTF-8 with LF
};

QByteArrayView lineEnd(PhraseFormat format);
// What a written phrase file ends with after its last line: the Kavro IME's
// file has always ended with an empty line.
QByteArrayView closingLine(PhraseFormat format);
// Whether a user's lines are re-ended as they are copied (a lone CR ends a
// line in the Kavro IME's format) rather than copied byte for byte.
bool rewritesLineEnds(PhraseFormat format);
QByteArray encodeText(PhraseFormat format, QStringView text);
QString decodeText(PhraseFormat format, QByteArrayView bytes);

} // namespace jlex
