#include "run.h"

#include "ui/Artwork.h"
#include "ui/Form1.h"
#include "ui/MessageBoxes.h"
#include "ui/QtTranslation.h"
#include "ui/WebLinks.h"

#include <QApplication>
#include <QStyleFactory>

namespace jlex {

int run(Edition edition, int argc, char** argv)
{
    QApplication app(argc, argv);
    // Command line arguments are Qt's own; the program reads none.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(artwork::appIcon());
    loadQtTranslation(); // without it the standard buttons stay in English

    MessageBoxes messages;
    DesktopBrowser browser;
    Form1 window(edition, messages, browser);
    messages.setParentWidget(&window);
    window.startUp();
    return QApplication::exec();
}

} // namespace jlex
