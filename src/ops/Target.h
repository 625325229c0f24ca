#pragma once

#include "ops/Diagnosis.h"
#include "ops/SideFile.h"
#include "ops/TablePlacement.h"
#include "store/PhraseReloader.h"
#include "store/StorePaths.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace jlex {

// How the main window is dressed. White: every control painted white like
// the window. System: controls in the desktop's own colours, the band above
// the frame lower.
enum class WindowLook { White, System };

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
    // After a change the input method has re-read: an install or restore, and an uninstall.
    QString reloadedHint;
    QString uninstalledHint;
    // Said on the status line when there is no phrase file yet; without it,
    // the backup warning box says that no backup will be made.
    QString noPhraseFileNote;
    // The help window opens on its first topic's text, not an empty page.
    bool helpOpensOnFirstTopic = false;
    // Its topic on what else to check ends with what `jlex doctor` finds.
    bool helpShowsChecks = false;
};

// An input method jlex writes for: its store, how to make it re-read the
// phrase file (when it can be asked), the files that follow the tables, how
// its window looks, and its words. Every program and every operation is
// given one.
struct Target {
    std::shared_ptr<const StorePaths> paths;
    std::shared_ptr<PhraseReloader> reloader; // empty: it re-reads only when restarted
    QList<std::shared_ptr<const SideFile>> sideFiles;
    // Where its phrase file has jlex's tables; none: a block at the start.
    std::shared_ptr<const TablePlacement> placement = {};
    // What it checks about itself for `jlex doctor`; none: the store's own checks only.
    std::shared_ptr<Doctor> doctor = {};
    WindowLook look = WindowLook::White;
    TargetTexts texts;
};

} // namespace jlex
