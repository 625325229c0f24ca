#pragma once

#include "cli/Invocation.h"

namespace jlex::cli {

// `jlex doctor [--fix]`: what decides whether the user will see jlex's
// phrases, for the chosen input method or every one found here; with --fix,
// each fix offered for what fails, asked for one by one.
int runDoctor(const Invocation& invocation);

} // namespace jlex::cli
