#include "store/StoreError.h"

namespace jlex {

QString StoreError::describe() const
{
    QString text = action + QStringLiteral("。");
    if (!windowsPath.isEmpty())
        text += QStringLiteral("\n文件：") + windowsPath;
    if (!reason.isEmpty())
        text += QStringLiteral("\n原因：") + reason;
    return text;
}

} // namespace jlex
