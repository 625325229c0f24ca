#include "run.h"

#include "ui/Artwork.h"
#include "ui/Form1.h"
#include "ui/MessageBoxes.h"
#include "ui/QtTranslation.h"
#include "ui/WebLinks.h"

#include <QApplication>
#include <QStyleFactory>

namespace jlex {

int run(const TargetRegistration& registration, int argc, char** argv)
{
    QApplication app(argc, argv);
    // The menu entry has the program's name, so the desktop shows its name and icon.
    QGuiApplication::setDesktopFileName(registration.program);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(artwork::appIcon());
    loadQtTranslation(); // without it the standard buttons stay in English

    // The arguments are Qt's own, but for the input method's own options,
    // written as on the command line: --NAME VALUE.
    TargetOptions options;
    const QStringList arguments = QApplication::arguments();
    for (const TargetOption& option : registration.options) {
        const qsizetype at = arguments.indexOf(QStringLiteral("--") + option.name);
        if (at > 0 && at + 1 < arguments.size())
            options.insert(option.name, arguments.value(at + 1));
    }

    MessageBoxes messages;
    DesktopBrowser browser;
    Form1 window(registration.make(options), messages, browser);
    messages.setParentWidget(&window);
    window.startUp();
    return QApplication::exec();
}

} // namespace jlex
