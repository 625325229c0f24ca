#pragma once

#include "store/Edition.h"

namespace jlex {

// Starts the program for one edition and returns its exit code.
int run(Edition edition, int argc, char** argv);

} // namespace jlex
