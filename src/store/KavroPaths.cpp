#include "store/KavroPaths.h"

#include "store/HostPath.h"

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

QString KavroPaths::userName()
{
    // Read afresh each time rather than cached: the path must follow the
    // environment the way the IME itself sees it.
    return QProcessEnvironment::systemEnvironment().value(QStringLiteral("USERNAME"));
}

QString KavroPaths::path(StoreFile file) const
{
    // Stamps stay in the account directory in both editions.
    const QString& dir = (m_edition == Edition::Login || isStamp(file)) ? kAccountDir : kSharedDir;
    // Plain concatenation on purpose: an unset USERNAME leaves two backslashes
    // in a row, which is what the IME's own path would look like too.
    return kProfiles + userName() + dir + fileName(file);
}

QString KavroPaths::hostPath(const QString& shownPath) const
{
    return jlex::hostPath(shownPath);
}

QString KavroPaths::locationText() const
{
    return QStringLiteral("                         您当前的系统用户名为：") + userName() +
           QStringLiteral("\r词库将被安装在：") + path(StoreFile::Phrases);
}

} // namespace jlex
