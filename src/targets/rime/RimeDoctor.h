#pragma once

#include "ops/Diagnosis.h"
#include "ops/SideFile.h"
#include "store/PhraseReloader.h"
#include "targets/rime/RimePaths.h"

#include <memory>

namespace jlex {

// What decides whether Rime shows jlex's phrases: its front end and user
// folder, the schema in use and whether it reads custom_phrase.txt, whether
// the folder was deployed since the file changed, and the simplifier and
// charset filter, which can change or hide Japanese texts.
class RimeDoctor : public Doctor {
public:
    RimeDoctor(std::shared_ptr<const RimePaths> paths, std::shared_ptr<PhraseReloader> deploy,
               std::shared_ptr<const SideFile> schemaPatch, bool folderGiven);

    bool present() const override;
    QList<Finding> findings() const override;
    QList<std::shared_ptr<Fix>> fixes() const override;

private:
    std::shared_ptr<const RimePaths> m_paths;
    std::shared_ptr<PhraseReloader> m_deploy;
    std::shared_ptr<const SideFile> m_schemaPatch;
    bool m_folderGiven;
};

} // namespace jlex
