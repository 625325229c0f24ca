#include "cli/Output.h"

#include "cli/ExitStatus.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdio>
#include <langinfo.h>

namespace jlex::cli {

namespace {

QByteArray localeCodeset()
{
    const QByteArray codeset = nl_langinfo(CODESET);
    // The C locale names plain ASCII, which cannot carry a word of Chinese.
    if (codeset.isEmpty() || codeset == "ANSI_X3.4-1968" || codeset == "ASCII")
        return "UTF-8";
    return codeset;
}

QByteArray encoded(const QString& text)
{
    QStringEncoder encoder(localeCodeset().constData());
    if (!encoder.isValid())
        return text.toUtf8();
    return encoder.encode(text);
}

} // namespace

QStringList decodeArguments(int argc, char** argv)
{
    QStringDecoder decoder(localeCodeset().constData());
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << (decoder.isValid() ? decoder.decode(argv[i]) : QString::fromUtf8(argv[i]));
    return arguments;
}

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
    return writeResult(encoded(line + u'\n'));
}

void tell(const QString& message)
{
    const QByteArray bytes = encoded(message + u'\n');
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

int outputFailed()
{
    tell(QStringLiteral("无法写出结果到标准输出。"));
    return kFailed;
}

} // namespace jlex::cli
