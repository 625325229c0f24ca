#pragma once

#include <QByteArray>
#include <QString>

namespace jlex {

// How an input method wants its phrase file: the encoding and the line end.
enum class PhraseFormat {
    GbkCrLf, // Windows IMEs: the ANSI code page of Chinese systems
    Utf8Lf,  // Linux IMEs
};

QByteArrayView lineEnd(PhraseFormat format);
QByteArray encodeText(PhraseFormat format, QStringView text);
QString decodeText(PhraseFormat format, QByteArrayView bytes);

} // namespace jlex
