#include "store/RimePaths.h"

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
    const QString own = dataHome(nullptr) + QStringLiteral("/jlex/rime/");
    switch (file) {
    case StoreFile::Phrases:
        return rimeDir() + QStringLiteral("/custom_phrase.txt");
    case StoreFile::InitialBackup:
        return own + QStringLiteral("custom_phrase.initial-backup");
    case StoreFile::LatestBackup:
        return own + QStringLiteral("custom_phrase.latest-backup");
    case StoreFile::Swap:
        return own + QStringLiteral("custom_phrase.swap");
    case StoreFile::InitialStamp:
        return own + QStringLiteral("initial-backup.time");
    case StoreFile::LatestStamp:
        return own + QStringLiteral("latest-backup.time");
    }
    Q_UNREACHABLE();
}

QString RimePaths::schemaCustomFile() const
{
    // luna_pinyin's patch reaches every stock pinyin schema, which all build on it.
    return rimeDir() + QStringLiteral("/luna_pinyin.custom.yaml");
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
