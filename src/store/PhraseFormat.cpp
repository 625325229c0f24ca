#include "store/PhraseFormat.h"

#include "store/Gbk.h"

namespace jlex {

QByteArray encodeText(const PhraseFormat& format, QStringView text)
{
    switch (format.encoding) {
    case TextEncoding::Gbk:
        return toGbk(text);
    case TextEncoding::Utf8:
        return text.toUtf8();
    }
    Q_UNREACHABLE();
}

QString decodeText(const PhraseFormat& format, QByteArrayView bytes)
{
    switch (format.encoding) {
    case TextEncoding::Gbk:
        return fromGbk(bytes);
    case TextEncoding::Utf8:
        return QString::fromUtf8(bytes);
    }
    Q_UNREACHABLE();
}

} // namespace jlex
