#include "store/Stamp.h"

#include "store/Gbk.h"
#include "store/PhraseLines.h"

#include <QRegularExpression>

namespace jlex {

namespace {

// The locale's long time format carries the seconds, and on most locales a
// time zone that does not belong in a one-line stamp.
QString timeFormatWithSeconds(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    format.replace(zone, QStringLiteral(" "));
    return format.trimmed();
}

} // namespace

QString stampText(const QDateTime& when, const QLocale& locale)
{
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    const QTime time = when.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return date;
    return date + QLatin1Char(' ') + locale.toString(time, timeFormatWithSeconds(locale));
}

QByteArray stampFileBytes(const QDateTime& when, const QLocale& locale)
{
    return toGbk(stampText(when, locale)) + "\r\n";
}

QString stampFromFileBytes(QByteArrayView bytes)
{
    return fromGbk(firstPhraseLine(bytes));
}

} // namespace jlex
