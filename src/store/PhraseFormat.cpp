#include "store/PhraseFormat.h"

#include "store/Gbk.h"

namespace jlex {

QByteArrayView lineEnd(PhraseFormat format)
{
    switch (format) {
    case PhraseFormat::GbkCrLf:
        return "\r\n";
    case PhraseFormat::Utf8Lf:
        return "\n";
    }
    Q_UNREACHABLE();
}

QByteArrayView closingLine(PhraseFormat format)
{
    switch (format) {
    case PhraseFormat::GbkCrLf:
        return "\r\n";
    case PhraseFormat::Utf8Lf:
        return {};
    }
    Q_UNREACHABLE();
}

bool rewritesLineEnds(PhraseFormat format)
{
    switch (format) {
    case PhraseFormat::GbkCrLf:
        return true;
    case PhraseFormat::Utf8Lf:
        return false;
    }
    Q_UNREACHABLE();
}

QByteArray encodeText(PhraseFormat format, QStringView text)
{
    switch (format) {
    case PhraseFormat::GbkCrLf:
        return toGbk(text);
    case PhraseFormat::Utf8Lf:
        return text.toUtf8();
    }
    Q_UNREACHABLE();
}

QString decodeText(PhraseFormat format, QByteArrayView bytes)
{
    switch (format) {
    case PhraseFormat::GbkCrLf:
        return fromGbk(bytes);
    case PhraseFormat::Utf8Lf:
        return QString::fromUtf8(bytes);
    }
    Q_UNREACHABLE();
}

} // namespace jlex
