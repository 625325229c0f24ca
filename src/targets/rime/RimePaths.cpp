#include "targets/rime/RimePaths.h"

#include "store/FileSteps.h"
#include "store/UserDirs.h"

#include <QDir>

namespace jlex {

QString RimePaths::rimeDir() const
{
    if (!m_given.isEmpty())
        return QDir::cleanPath(QDir::current().absoluteFilePath(m_given));
    const QString fcitx5 = dataHome(nullptr) + QStringLiteral("/fcitx5/rime");
    const QString ibus = configHome(nullptr) + QStringLiteral("/ibus/rime");
    const bool ibusOnly = fileState(ibus, true).kind == FileState::Kind::Directory &&
                          fileState(fcitx5, true).kind != FileState::Kind::Directory;
    return ibusOnly ? ibus : fcitx5;
}

QString RimePaths::path(StoreFile file) const
{
    if (file == StoreFile::Phrases)
        return rimeDir() + QStringLiteral("/custom_phrase.txt");
    return ownStoreFile(file, QStringLiteral("custom_phrase"));
}

QString RimePaths::userName() const
{
    return accountName();
}

QString RimePaths::ownProblem() const
{
    QString problem;
    if (m_given.isEmpty())
        configHome(&problem);
    return problem;
}

} // namespace jlex
