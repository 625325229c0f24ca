#include "store/StorePaths.h"

#include "store/UserDirs.h"

namespace jlex {

QString StorePaths::problem() const
{
    QString problem = ownProblem();
    if (problem.isEmpty())
        dataHome(&problem);
    return problem;
}

QString StorePaths::ownDir() const
{
    const QString data = dataHome(nullptr);
    return data.isEmpty() ? QString() : data + QStringLiteral("/jlex");
}

QString StorePaths::ownStoreFile(StoreFile file, const QString& phrases) const
{
    const QString dir = ownDir() + u'/' + historyName() + u'/';
    switch (file) {
    case StoreFile::Phrases:
        break;
    case StoreFile::InitialBackup:
        return dir + phrases + QStringLiteral(".initial-backup");
    case StoreFile::LatestBackup:
        return dir + phrases + QStringLiteral(".latest-backup");
    case StoreFile::Swap:
        return dir + phrases + QStringLiteral(".swap");
    case StoreFile::InitialStamp:
        return dir + QStringLiteral("initial-backup.time");
    case StoreFile::LatestStamp:
        return dir + QStringLiteral("latest-backup.time");
    }
    return {};
}

QString StorePaths::historyDir() const
{
    return ownDir() + QStringLiteral("/history/") + historyName();
}

QString StorePaths::lockFile() const
{
    return ownDir() + QStringLiteral("/locks/") + lockName() + QStringLiteral(".lock");
}

} // namespace jlex
