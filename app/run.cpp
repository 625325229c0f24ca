#include "run.h"

#include "ui/Artwork.h"
#include "ui/Form1.h"
#include "ui/MessageBoxes.h"
#include "ui/QtTranslation.h"
#include "ui/WebLinks.h"

#include <QApplication>
#include <QStyleFactory>

namespace jlex {

int run(const std::function<Target()>& makeTarget, const char* desktopFile, int argc, char** argv)
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QLatin1String(desktopFile));
    // Command line arguments are Qt's own; the program reads none.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(artwork::appIcon());
    loadQtTranslation(); // without it the standard buttons stay in English

    MessageBoxes messages;
    DesktopBrowser browser;
    Form1 window(makeTarget(), messages, browser);
    messages.setParentWidget(&window);
    window.startUp();
    return QApplication::exec();
}

} // namespace jlex
