#include "store/FailureRecord.h"

namespace jlex {

bool FailureRecord::fail(const QString& action, const StoreItem& item, const QString& reason)
{
    if (!m_error)
        m_error = StoreError{action, item.path, item.host, reason};
    return false;
}

bool FailureRecord::failWith(FileStep step, const StoreItem& item, int error)
{
    return fail(cannot(step, item.label), item, reasonFor(error));
}

bool FailureRecord::fail(FileProblem problem, const StoreItem& item, const QString& reason)
{
    return fail(problemWith(problem, item.label), item, reason);
}

bool FailureRecord::failChangedMeanwhile(const StoreItem& item)
{
    return fail(FileProblem::ChangedMeanwhile, item,
                QStringLiteral("为了不丢掉它写进去的内容，本次没有替换任何文件；请稍后再试"));
}

} // namespace jlex
