#pragma once

namespace jlex {

// Asks the running input method to re-read the phrase file.
class PhraseReloader {
public:
    virtual ~PhraseReloader() = default;
    // True when the input method confirmed it re-read the file.
    virtual bool reload() = 0;
};

} // namespace jlex
