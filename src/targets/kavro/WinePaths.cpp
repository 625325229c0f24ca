#include "targets/kavro/WinePaths.h"

#include "store/UserDirs.h"

#include <QDir>

namespace jlex {

QString wineDriveC(QString* problem)
{
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty()) {
        const QString home = homeDirectory(problem);
        return home.isEmpty() ? QString() : home + QStringLiteral("/.wine/drive_c");
    }
    // Wine itself refuses a relative prefix; one here would depend on where jlex was started.
    if (!QDir::isAbsolutePath(prefix)) {
        if (problem)
            *problem = QStringLiteral("环境变量 WINEPREFIX 必须是绝对路径，现在是“%1”").arg(prefix);
        return {};
    }
    return QDir::cleanPath(prefix) + QStringLiteral("/drive_c");
}

QString hostPath(const QString& windowsPath)
{
#ifdef Q_OS_WIN
    return windowsPath;
#else
    QString rest = windowsPath;
    QString root;
    if (rest.startsWith(QStringLiteral("C:\\"), Qt::CaseInsensitive)) {
        root = wineDriveC();
        rest = rest.mid(2);
    }
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return root + rest;
#endif
}

} // namespace jlex
