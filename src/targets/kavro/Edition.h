#pragma once

namespace jlex {

// The two builds differ in where the IME keeps the phrase file: the login
// edition works in the signed-in account's directory, the public edition in
// the IME's shared data directory.
enum class Edition { Login, Public };

} // namespace jlex
