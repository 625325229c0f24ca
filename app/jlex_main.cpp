#include "cli/CommandLine.h"
#include "cli/Output.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <clocale>

// The command line: the windows' operations for scripts, plus the history,
// and export, lookup and search of the tables.
int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("jlex"));
    QCoreApplication::setApplicationVersion(QStringLiteral(JLEX_VERSION));
    // The program speaks Chinese whatever the locale, Qt's own parser messages too.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_zh_CN"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    return jlex::cli::runCommandLine(jlex::cli::decodeArguments(argc, argv));
}
