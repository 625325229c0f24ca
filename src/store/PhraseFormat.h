#pragma once

#include <QByteArray>
#include <QString>

namespace jlex {

enum class TextEncoding {
    Gbk, // the ANSI code page of Chinese Windows systems
    Utf8,
};

// How an input method wants its phrase file: the encoding, the line end, and
// how a user's lines are carried over. The build turns every table into the
// bytes of each format by its name (src/tables/tablegen.cpp and the input
// methods' own formats beside them).
struct PhraseFormat {
    QByteArray name; // as the records of shipped tables name it
    TextEncoding encoding = TextEncoding::Utf8;
    QByteArray lineEnd;
    // What a written phrase file ends with after its last line.
    QByteArray closingLine;
    // A lone CR ends a line too, so a user's lines are re-ended with CR LF
    // as they are copied, rather than copied byte for byte.
    bool crLfLines = false;

    friend bool operator==(const PhraseFormat&, const PhraseFormat&) = default;
};

// key,position=text lines in GBK with CR LF, as Windows IMEs read them,
// ending with an empty line as their own files do.
inline const PhraseFormat kGbkCrLf{"gbk-crlf", TextEncoding::Gbk, "\r\n", "\r\n", true};
// key,position=text lines in UTF-8 with LF, as Linux input methods read them.
inline const PhraseFormat kUtf8Lf{"utf8-lf", TextEncoding::Utf8, "\n", {}, false};

QByteArray encodeText(const PhraseFormat& format, QStringView text);
QString decodeText(const PhraseFormat& format, QByteArrayView bytes);

} // namespace jlex
