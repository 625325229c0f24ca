#pragma once

#include "ops/PhraseReloader.h"
#include "store/StorePaths.h"

#include <QString>

#include <memory>

namespace jlex {

// An input method jlex writes for: its store, how to make it re-read the
// phrase file (when it can be asked), and the words that differ by input
// method. Every program and every operation is given one.
struct Target {
    std::shared_ptr<const StorePaths> paths;
    std::shared_ptr<PhraseReloader> reloader; // empty: it re-reads only when restarted
    // Shown after a change when the input method did not re-read it at once.
    QString restartHint;
    // Shown after a change the input method has re-read.
    QString reloadedHint;
};

} // namespace jlex
