#include "store/StorePaths.h"

#include <QProcessEnvironment>

namespace jlex {

namespace {

const QString kProfiles = QStringLiteral("C:\\Documents and Settings\\");
const QString kAccountDir = QStringLiteral("\\Application Data\\KavroPY.users\\00000001\\");
const QString kSharedDir = QStringLiteral("\\Application Data\\KavroPY\\");

QString fileName(StoreFile file)
{
    switch (file) {
    case StoreFile::Phrases:
        return QStringLiteral("phrases.ini");
    case StoreFile::InitialBackup:
        return QStringLiteral("phrases最初备份.ini");
    case StoreFile::LatestBackup:
        return QStringLiteral("phrases最近备份.ini");
    case StoreFile::Swap:
        return QStringLiteral("phrasesTEMP.ini");
    case StoreFile::InitialStamp:
        return QStringLiteral("time000.ini");
    case StoreFile::LatestStamp:
        return QStringLiteral("time001.ini");
    }
    Q_UNREACHABLE();
    return {};
}

bool isStamp(StoreFile file)
{
    return file == StoreFile::InitialStamp || file == StoreFile::LatestStamp;
}

} // namespace

QString StorePaths::userName()
{
    // Read afresh each time rather than cached: the path must follow the
    // environment the way the IME itself sees it.
    return QProcessEnvironment::systemEnvironment().value(QStringLiteral("USERNAME"));
}

QString StorePaths::path(StoreFile file) const
{
    // Stamps stay in the account directory in both editions.
    const QString& dir = (m_edition == Edition::Login || isStamp(file)) ? kAccountDir : kSharedDir;
    // Plain concatenation on purpose: an unset USERNAME leaves two backslashes
    // in a row, which is what the IME's own path would look like too.
    return kProfiles + userName() + dir + fileName(file);
}

} // namespace jlex
