#include "store/Stamp.h"

namespace jlex {

QString stampText(const QDateTime& when)
{
    // Spelled out rather than asked of QLocale, whose data moves between Qt versions.
    const QString date = when.date().toString(QStringLiteral("yyyy/M/d"));
    const QTime time = when.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return date;
    return date + QLatin1Char(' ') + time.toString(QStringLiteral("HH:mm:ss"));
}

QByteArray stampFileBytes(const QDateTime& when, const PhraseFormat& format)
{
    return encodeText(format, stampText(when)) + format.lineEnd;
}

QString stampFromFileBytes(QByteArrayView bytes, const PhraseFormat& format)
{
    // A stamp is one line; whatever else the file holds is not shown.
    const qsizetype end = bytes.indexOf(format.lineEnd.front());
    return decodeText(format, end < 0 ? bytes : bytes.first(end));
}

} // namespace jlex
