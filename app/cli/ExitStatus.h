#pragma once

namespace jlex::cli {

// What a script sees of how a command went.
constexpr int kDone = 0;
constexpr int kFailed = 1; // the operation failed, or nothing was found
constexpr int kWrongUsage = 2;

} // namespace jlex::cli
