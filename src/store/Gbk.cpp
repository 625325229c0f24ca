#include "store/Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace jlex {

QByteArray toGbk(QStringView text)
{
    QStringEncoder encoder("GBK");
    Q_ASSERT(encoder.isValid());
    return encoder.encode(text);
}

QString fromGbk(QByteArrayView bytes)
{
    QStringDecoder decoder("GBK");
    Q_ASSERT(decoder.isValid());
    return decoder.decode(bytes);
}

} // namespace jlex
