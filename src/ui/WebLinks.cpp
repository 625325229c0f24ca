#include "ui/WebLinks.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>

namespace jlex {

bool DesktopBrowser::open(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

namespace links {

QUrl vendorHomePage()
{
    return QUrl(QStringLiteral("https://www.example.com/?f=youjian"));
}

QUrl introductionPage()
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {dir + QStringLiteral("/jlex-intro.html"),
                                     dir + QStringLiteral("/../share/jlex/jlex-intro.html")}) {
        if (QFileInfo(candidate).isFile())
            return QUrl::fromLocalFile(QFileInfo(candidate).canonicalFilePath());
    }
    return {};
}

} // namespace links

} // namespace jlex
