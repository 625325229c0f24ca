#include "store/PhraseFormat.h"

#include "store/Gbk.h"

namespace jlex {

QByteArrayView lineEnd(PhraseFormat format)
{
    switch (format) {
    case PhraseFormat::GbkCrLf:
        return "\r\n";
    case PhraseFormat::Utf8Lf:
    case PhraseFormat::RimeTsv:
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
    case PhraseFormat::RimeTsv:
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
    case PhraseFormat::RimeTsv:
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
    case PhraseFormat::RimeTsv:
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
    case PhraseFormat::RimeTsv:
        return QString::fromUtf8(bytes);
    }
    Q_UNREACHABLE();
}

} // namespace jlex
