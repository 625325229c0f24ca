#include "store/StoreError.h"

namespace jlex {

QString StoreError::describe() const
{
    QString text = action + QStringLiteral("。");
    if (!windowsPath.isEmpty())
        text += QStringLiteral("\n文件：") + windowsPath;
    // A Windows path alone does not say which Wine prefix it was in.
    if (!hostPath.isEmpty() && hostPath != windowsPath)
        text += QStringLiteral("\n本机路径：") + hostPath;
    if (!reason.isEmpty())
        text += QStringLiteral("\n原因：") + reason;
    return text;
}

} // namespace jlex
