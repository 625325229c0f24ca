#include "store/Leftovers.h"

#include "store/FileSteps.h"

#include <QDir>
#include <QRegularExpression>

namespace jlex {

namespace {

const QRegularExpression& leftoverForm()
{
    static const QRegularExpression form(
        QStringLiteral("^\\..+\\.jlex-(?:(old|link)-)?[A-Za-z0-9]{6}$"));
    return form;
}

} // namespace

bool isLeftoverName(const QString& fileName)
{
    return leftoverForm().match(fileName).hasMatch();
}

bool isKeptAsideName(const QString& fileName)
{
    return leftoverForm().match(fileName).captured(1) == QLatin1String("old");
}

QStringList leftoversIn(const QStringList& dirs)
{
    QStringList found;
    for (const QString& dir : dirs) {
        const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : names) {
            const QString path = dir + u'/' + name;
            if (isLeftoverName(name) && fileState(path).isFile() && !found.contains(path))
                found << path;
        }
    }
    return found;
}

} // namespace jlex
