#include "ops/OperationGuard.h"

#include "ops/StoreChange.h"
#include "ops/StoreItems.h"
#include "store/FileErrors.h"
#include "store/Leftovers.h"

#include <QFileInfo>

#include <cerrno>

namespace jlex {

OperationGuard::OperationGuard(const StorePaths& paths, const StoreFingerprint* seen)
    : m_history(paths.historyDir())
{
    if (const QString problem = paths.problem(); !problem.isEmpty()) {
        m_refusal = StoreError{cannot(FileStep::Locate, QStringLiteral("文件")), {}, {}, problem};
        return;
    }
    m_lock = std::make_unique<StoreLock>(paths.lockFile());
    if (!m_lock->held()) {
        m_refusal =
            m_lock->error() == EWOULDBLOCK
                ? StoreError{QStringLiteral("另一个 jlex 正在修改这些文件，请稍后再试"), {}, {}, {}}
                : StoreError{cannot(FileStep::Lock, QStringLiteral("这些文件")), paths.lockFile(),
                             paths.lockFile(), reasonFor(m_lock->error())};
        return;
    }
    if (seen) {
        const StoreFingerprint now = storeFingerprint(paths);
        for (qsizetype i = 0; i < now.size() && i < seen->size(); ++i) {
            if (now[i] == (*seen)[i])
                continue;
            // The last entry is the phrase file again, through its link.
            const StoreItem item = storeItem(paths, i < 6 ? StoreFile(i) : StoreFile::Phrases);
            m_refusal = StoreError{problemWith(FileProblem::ChangedSinceShown, item.label),
                                   item.path, item.host,
                                   QStringLiteral("它被另一个程序新建、删除或改动了。为免弄丢"
                                                  "内容，本次没有做任何改动；窗口已按文件现在的"
                                                  "样子重新显示，请看过之后再试")};
            return;
        }
    }
    clearLeftovers(paths);
}

OperationGuard::~OperationGuard()
{
    if (m_freeing.joinable())
        m_freeing.join();
}

void OperationGuard::clearLeftovers(const StorePaths& paths)
{
    // Freeing a large file's blocks takes its time; this operation's own
    // work goes on meanwhile.
    const QStringList trash = trashIn({m_history.dir()});
    if (!trash.isEmpty())
        m_freeing = std::thread([trash] {
            for (const QString& path : trash)
                removeFile(path);
        });
    const QStringList stamps{QFileInfo(paths.host(StoreFile::InitialStamp)).fileName(),
                             QFileInfo(paths.host(StoreFile::LatestStamp)).fileName()};
    for (const QString& path : leftoversIn(storeDirectories(paths) << m_history.dir())) {
        const QFileInfo info(path);
        const bool worthKeeping =
            info.absolutePath() != m_history.dir() &&
            std::none_of(stamps.begin(), stamps.end(), [&](const QString& stamp) {
                return info.fileName().startsWith(u'.' + stamp + u'.');
            });
        if (worthKeeping) {
            // Whatever it held goes into the history before its name goes.
            StoreChange change(m_history, QStringLiteral("cleanup"));
            const StoreItem item{path, path, QStringLiteral("遗留的临时文件")};
            OpenFile file;
            if (!change.checks.requireHistory() || !change.checks.openFile(item, file))
                continue;
            const ContentDigest digest = digestOfFile(file.fd);
            if (!m_history.withDigest(digest.hex())) {
                if (!change.history.keep(file, item, digest) || !change.files.syncChanges())
                    continue;
                change.commit();
            }
        }
        if (removeFile(path) == 0)
            ++m_cleared;
    }
}

} // namespace jlex
