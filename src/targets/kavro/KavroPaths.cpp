#include "targets/kavro/KavroPaths.h"

#include "targets/kavro/WinePaths.h"

#include <QCryptographicHash>
#include <QFileInfo>

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

QString KavroPaths::userName() const
{
    // Read afresh each time rather than cached: the path must follow the
    // environment the way the IME itself sees it.
    return qEnvironmentVariable("USERNAME");
}

QString KavroPaths::path(StoreFile file) const
{
    // Stamps stay in the account directory in both editions.
    const QString& dir = (m_edition == Edition::Login || isStamp(file)) ? kAccountDir : kSharedDir;
    return kProfiles + userName() + dir + fileName(file);
}

QString KavroPaths::hostPath(const QString& shownPath) const
{
    return jlex::hostPath(shownPath);
}

QString KavroPaths::ownProblem() const
{
    const QString user = userName();
    // The name is a directory in the path: empty, it would point at the
    // profiles' parent; with a separator or "..", anywhere at all.
    if (user.isEmpty())
        return QStringLiteral("环境变量 USERNAME 没有设置或为空，无法确定 Kavro "
                              "输入法的用户目录（应为 Windows 用户名）");
    if (user.contains(u'/') || user.contains(u'\\') || user.contains(QStringLiteral("..")))
        return QStringLiteral("环境变量 USERNAME 的值“%1”不能用作用户名：其中不能有 /、\\ 或 ..")
            .arg(user);
    QString problem;
    wineDriveC(&problem);
    return problem;
}

QString KavroPaths::historyName() const
{
    return m_edition == Edition::Login ? QStringLiteral("kavro-login")
                                       : QStringLiteral("kavro-public");
}

QString KavroPaths::lockName() const
{
    // Both editions write the stamps of one account directory, so one lock
    // serves a prefix's account, whichever edition takes it.
    const QString account = QFileInfo(host(StoreFile::InitialStamp)).absolutePath();
    return QStringLiteral("kavro-") +
           QString::fromLatin1(
               QCryptographicHash::hash(account.toUtf8(), QCryptographicHash::Sha256)
                   .toHex()
                   .left(16));
}

} // namespace jlex
