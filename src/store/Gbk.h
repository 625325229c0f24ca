#pragma once

#include <QByteArray>
#include <QString>

namespace jlex {

// The IME's files are in GBK (code page 936). Characters GBK lacks come out
// as '?', which only stamps can meet: the tables are checked when they are built.
QByteArray toGbk(QStringView text);
QString fromGbk(QByteArrayView bytes);

} // namespace jlex
