#include "store/Stamp.h"

#include <QRegularExpression>

namespace jlex {

namespace {

// The locale's long time format carries the seconds, and on most locales a
// time zone, sometimes in brackets, that does not belong in a one-line stamp.
QString timeFormatWithSeconds(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("t+"));
    static const QRegularExpression emptyBrackets(QStringLiteral("[(\\[（【]\\s*[)\\]）】]"));
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    // Some locales name the time of day with a pattern letter Qt does not know.
    static const QRegularExpression dayPeriod(QStringLiteral("B+"));
    format.remove(zone).remove(emptyBrackets).replace(dayPeriod, QStringLiteral("AP"));
    format.replace(spaces, QStringLiteral(" "));
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

QByteArray stampFileBytes(const QDateTime& when, PhraseFormat format, const QLocale& locale)
{
    return encodeText(format, stampText(when, locale)) + lineEnd(format).toByteArray();
}

QString stampFromFileBytes(QByteArrayView bytes, PhraseFormat format)
{
    const qsizetype end = bytes.indexOf(format == PhraseFormat::GbkCrLf ? '\r' : '\n');
    return decodeText(format, end < 0 ? bytes : bytes.first(end));
}

} // namespace jlex
