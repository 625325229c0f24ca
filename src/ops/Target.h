#pragma once

#include "ops/PhraseReloader.h"
#include "store/Edition.h"
#include "store/StorePaths.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace jlex {

// The words and pictures that differ by input method.
struct TargetTexts {
    QString windowTitle;
    QString about;                    // the About box
    QString prerequisites;            // what the user needs, in the main window's frame
    QString logo;                     // the picture beside the title, a resource name
    QString logoHover;                // the status line over it
    bool logoOpensVendorPage = false; // else the introduction page
    QStringList helpTopic3;           // why the phrases may not work yet
    QStringList helpTopic4;           // what else to check
    QString illustration;             // where the phrases are seen, a resource name
    QString feedback;                 // where to write, in the help window
    // After a change the input method did not re-read at once.
    QString restartHint;
    // After a change the input method has re-read.
    QString reloadedHint;
};

// An input method jlex writes for: its store, how to make it re-read the
// phrase file (when it can be asked), the Kavro edition whose window look it
// shares, and its words. Every program and every operation is given one.
struct Target {
    std::shared_ptr<const StorePaths> paths;
    std::shared_ptr<PhraseReloader> reloader; // empty: it re-reads only when restarted
    Edition look = Edition::Login;
    TargetTexts texts;
};

} // namespace jlex
