#include "store/UserDirs.h"

#include <QDir>

#include <pwd.h>
#include <unistd.h>

namespace jlex {

namespace {

QString absoluteOrEmpty(const char* variable)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : QString();
}

QString baseDir(const char* variable, const char* underHome, QString* problem)
{
    const QString set = absoluteOrEmpty(variable);
    if (!set.isEmpty())
        return set;
    const QString home = homeDirectory(problem);
    return home.isEmpty() ? QString() : home + QLatin1Char('/') + QLatin1String(underHome);
}

} // namespace

QString homeDirectory(QString* problem)
{
    const QString home = absoluteOrEmpty("HOME");
    if (!home.isEmpty() && home != QStringLiteral("/"))
        return home;
    // Without a usable HOME, "~/.local/share" would land at the file system's root.
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_dir) {
        const QString account = QDir::cleanPath(QFile::decodeName(entry->pw_dir));
        if (QDir::isAbsolutePath(account) && account != QStringLiteral("/"))
            return account;
    }
    if (problem)
        *problem = QStringLiteral("找不到您的主目录：环境变量 HOME 没有设置或不是绝对路径，"
                                  "账户信息中也没有可用的主目录");
    return {};
}

QString dataHome(QString* problem)
{
    return baseDir("XDG_DATA_HOME", ".local/share", problem);
}

QString configHome(QString* problem)
{
    return baseDir("XDG_CONFIG_HOME", ".config", problem);
}

} // namespace jlex

namespace jlex {

QString accountName()
{
    const passwd* entry = ::getpwuid(::geteuid());
    return entry && entry->pw_name ? QString::fromLocal8Bit(entry->pw_name)
                                   : qEnvironmentVariable("USER");
}

} // namespace jlex
