#include "ops/StoreChange.h"

namespace jlex {

StoreChange::StoreChange(const History& kept, QString operation)
    : checks(failures, kept), files(failures, kept.dir()),
      history(files, failures, kept, std::move(operation))
{}

StoreChange::~StoreChange()
{
    rollBack();
}

void StoreChange::commit()
{
    files.commit();
    history.commit();
}

bool StoreChange::rollBack()
{
    const bool undone = files.rollBack();
    history.rolledBack();
    return undone;
}

mode_t phraseFileMode(const FileState& content, const FileState& replaced)
{
    mode_t mode = content.mode & 0666;
    if (replaced.exists())
        mode &= replaced.mode;
    return mode | 0600;
}

} // namespace jlex
