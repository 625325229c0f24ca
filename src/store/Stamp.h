#pragma once

#include "store/PhraseFormat.h"

#include <QDateTime>
#include <QString>

namespace jlex {

// A stamp records when a backup was made, as a Chinese (PRC) desktop writes a
// date and time: "2026/12/6 09:05:07"; at exactly midnight the date alone.
// The same whatever the locale jlex runs in, so every stamp fits the Chinese
// window and the IME's GBK files. It is only ever shown, never parsed.
QString stampText(const QDateTime& when);

// The whole stamp file: the text and a line end, in the store's format.
QByteArray stampFileBytes(const QDateTime& when, const PhraseFormat& format);

// What a stamp file shows: its first line. An empty file shows as empty text.
QString stampFromFileBytes(QByteArrayView bytes, const PhraseFormat& format);

} // namespace jlex
