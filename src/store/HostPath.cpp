#include "store/HostPath.h"

#include <QDir>
#include <QProcessEnvironment>

namespace jlex {

QString wineDriveC()
{
    const QString prefix =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("WINEPREFIX"));
    const QString root = prefix.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : prefix;
    return root + QStringLiteral("/drive_c");
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
