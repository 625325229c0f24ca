#include "cli/Output.h"

#include <QFile>

#include <cstdio>

namespace jlex::cli {

bool writeResult(QByteArrayView bytes)
{
    // On the descriptor, unbuffered: through stdio a failed write (a full disk
    // behind a redirect) would only show at exit, after the status is decided.
    static QFile out;
    if (!out.isOpen() && !out.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    return out.write(bytes.data(), bytes.size()) == bytes.size();
}

bool writeResultLine(const QString& line)
{
    return writeResult(line.toUtf8() + '\n');
}

void tell(const QString& message)
{
    std::fputs(qUtf8Printable(message + QLatin1Char('\n')), stderr);
}

} // namespace jlex::cli
