#include "store/PhraseFormat.h"

#include "store/Gbk.h"

namespace jlex {

QByteArrayView lineEnd(PhraseFormat format)
{
    return format == PhraseFormat::GbkCrLf ? QByteArrayView("\r\n") : QByteArrayView("\n");
}

QByteArray encodeText(PhraseFormat format, QStringView text)
{
    return format == PhraseFormat::GbkCrLf ? toGbk(text) : text.toUtf8();
}

QString decodeText(PhraseFormat format, QByteArrayView bytes)
{
    return format == PhraseFormat::GbkCrLf ? fromGbk(bytes) : QString::fromUtf8(bytes);
}

} // namespace jlex
