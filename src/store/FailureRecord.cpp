#include "store/FailureRecord.h"

#include "store/FileErrors.h"

namespace jlex {

bool FailureRecord::fail(const QString& action, const StoreItem& item, const QString& reason)
{
    if (!m_error)
        m_error = StoreError{action, item.path, item.host, reason};
    return false;
}

bool FailureRecord::failWith(const QString& action, const StoreItem& item, int error)
{
    return fail(action, item, reasonFor(error));
}

bool FailureRecord::failChangedMeanwhile(const StoreItem& item)
{
    return fail(QStringLiteral("另一个程序在此期间改动了") + item.label, item,
                QStringLiteral("为了不丢掉它写进去的内容，本次没有替换任何文件；请稍后再试"));
}

} // namespace jlex
