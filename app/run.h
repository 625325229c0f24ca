#pragma once

#include "ops/Target.h"

#include <functional>

namespace jlex {

// Starts a windowed program for one input method and returns its exit code.
// The target is made once the application exists; desktopFile names the
// program's .desktop entry, so the desktop shows its name and icon.
int run(const std::function<Target()>& makeTarget, const char* desktopFile, int argc, char** argv);

} // namespace jlex
