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

QString StorePaths::historyDir() const
{
    return ownDir() + QStringLiteral("/history/") + historyName();
}

QString StorePaths::lockFile() const
{
    return ownDir() + QStringLiteral("/locks/") + lockName() + QStringLiteral(".lock");
}

} // namespace jlex
