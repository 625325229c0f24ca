#pragma once

#include "ops/Diagnosis.h"
#include "targets/kavro/KavroPaths.h"

#include <memory>

namespace jlex {

// Where the Kavro IME's files should be under Wine, and whether the phrase
// file reads as the IME reads it.
class KavroDoctor : public Doctor {
public:
    explicit KavroDoctor(std::shared_ptr<const KavroPaths> paths) : m_paths(std::move(paths)) {}

    bool present() const override;
    QList<Finding> findings() const override;

private:
    std::shared_ptr<const KavroPaths> m_paths;
};

} // namespace jlex
