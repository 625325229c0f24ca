#pragma once

#include "targets/Registry.h"

namespace jlex {

// Starts a window program for one input method and returns its exit code.
// The target is made once the application exists.
int run(const TargetRegistration& registration, int argc, char** argv);

} // namespace jlex
