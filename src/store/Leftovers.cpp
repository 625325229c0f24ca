#include "store/Leftovers.h"

#include "store/FileSteps.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace jlex {

namespace {

const QRegularExpression& leftoverForm()
{
    static const QRegularExpression form(
        QStringLiteral("^\\..+\\.jlex-(?:(old|link)-)?[A-Za-z0-9]{6}$"));
    return form;
}

const QRegularExpression& trashForm()
{
    static const QRegularExpression form(QStringLiteral("^\\..+\\.jlex-trash-[A-Za-z0-9]{6}$"));
    return form;
}

QStringList namesIn(const QStringList& dirs, const QRegularExpression& form)
{
    QStringList found;
    for (const QString& dir : dirs) {
        const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : names) {
            const QString path = dir + u'/' + name;
            if (form.match(name).hasMatch() && fileState(path).isFile() && !found.contains(path))
                found << path;
        }
    }
    return found;
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
    return namesIn(dirs, leftoverForm());
}

void throwAway(const QString& path, const QString& trashDir)
{
    const FileState state = fileState(path);
    constexpr off_t kLarge = off_t(1) << 20;
    if (state.isFile() && state.links == 1 && state.size >= kLarge) {
        // On another file system it cannot go there; it is freed now, then.
        QString trash;
        if (hiddenNameBeside(trashDir + u'/' + QFileInfo(path).fileName(), "trash", &trash) == 0 &&
            renameFile(path, trash, false) == 0)
            return;
    }
    removeFile(path);
}

QStringList trashIn(const QStringList& dirs)
{
    return namesIn(dirs, trashForm());
}

} // namespace jlex
