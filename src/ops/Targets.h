#pragma once

#include "ops/Target.h"
#include "store/Edition.h"

namespace jlex {

// The input methods jlex writes for. Their words stand side by side in
// Targets.cpp, so a reader sees every difference in one place.
Target kavroTarget(Edition edition);
// Fcitx 5 can be asked to re-read its phrases; the caller brings the way to ask.
Target fcitx5Target(std::shared_ptr<PhraseReloader> reloader);

} // namespace jlex
