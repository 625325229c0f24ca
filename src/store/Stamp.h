#pragma once

#include "store/PhraseFormat.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace jlex {

// A stamp records when a backup was made, as the user's locale writes a date
// and time: the short date, a space and the time with seconds; at exactly
// midnight the date alone. It is only ever shown, never parsed.
QString stampText(const QDateTime& when, const QLocale& locale = QLocale::system());

// The whole stamp file: the text and a line end, in the store's format.
QByteArray stampFileBytes(const QDateTime& when, PhraseFormat format,
                          const QLocale& locale = QLocale::system());

// What a stamp file shows: its first line. An empty file shows as empty text.
QString stampFromFileBytes(QByteArrayView bytes, PhraseFormat format);

} // namespace jlex
