#include "cli/StoreCommands.h"

#include "cli/ExitStatus.h"
#include "cli/Output.h"

namespace jlex::cli {

namespace {

int notReady(const QString& command)
{
    tell(QStringLiteral("命令 %1 尚未完成，暂时不能使用。").arg(command));
    return kFailed;
}

} // namespace

// Each waits for the operations to work on every input method's store.
int showStatus(const Invocation&)
{
    return notReady(QStringLiteral("status"));
}

int installTables(const Invocation&)
{
    return notReady(QStringLiteral("install"));
}

int backUp(const Invocation&)
{
    return notReady(QStringLiteral("backup"));
}

int restoreBackup(const Invocation&)
{
    return notReady(QStringLiteral("restore"));
}

int uninstallTables(const Invocation&)
{
    return notReady(QStringLiteral("uninstall"));
}

} // namespace jlex::cli
