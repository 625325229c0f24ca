#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace jlex::cli {

// The command line speaks the locale's encoding: arguments are read in it and
// text is written in it (UTF-8 where the locale names none, as in "C").
QStringList decodeArguments(int argc, char** argv);

// Results go to standard output, as bytes (export, history show) or as text
// lines; each returns false when they could not be written.
bool writeResult(QByteArrayView bytes);
bool writeResultLine(const QString& line);

// Messages, in Chinese, go to standard error, one a line.
void tell(const QString& message);

// Says that standard output could not be written; returns the failure status.
int outputFailed();

} // namespace jlex::cli
