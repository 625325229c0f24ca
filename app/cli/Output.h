#pragma once

#include <QByteArrayView>
#include <QString>

namespace jlex::cli {

// Results go to standard output, as bytes or one UTF-8 line each; each returns
// false when they could not be written.
bool writeResult(QByteArrayView bytes);
bool writeResultLine(const QString& line);

// Messages, in Chinese, go to standard error, one a line.
void tell(const QString& message);

} // namespace jlex::cli
