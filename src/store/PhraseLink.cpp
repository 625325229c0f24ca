#include "store/PhraseLink.h"

#include "store/FileErrors.h"
#include "store/FileSteps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <unistd.h>

namespace jlex {

namespace {

// As many as the kernel follows before it reports a loop.
constexpr int kMaxLinks = 40;

} // namespace

PhraseTarget resolvePhraseFile(const QString& path)
{
    PhraseTarget target{QFileInfo(path).absoluteFilePath()};
    for (int hops = 0;; ++hops) {
        const FileState state = fileState(target.path);
        if (state.kind == FileState::Kind::Failed) {
            target.error = state.error;
            return target;
        }
        if (state.kind != FileState::Kind::Link) {
            // A name that never existed is a phrase file yet to be made; one
            // reached through a link is a file someone expected to be there.
            if (!state.exists() && target.linked)
                target.error = ENOENT;
            return target;
        }
        if (hops == kMaxLinks) {
            target.error = ELOOP;
            return target;
        }
        if (state.owner != ::geteuid() && state.owner != 0) {
            target.error = EPERM;
            target.linkOwner = state.owner;
            return target;
        }
        char buffer[PATH_MAX];
        const ssize_t n =
            ::readlink(QFile::encodeName(target.path).constData(), buffer, sizeof buffer - 1);
        if (n < 0) {
            target.error = errno;
            return target;
        }
        const QString to = QFile::decodeName(QByteArray(buffer, n));
        target.path = QDir::cleanPath(
            QDir::isAbsolutePath(to) ? to : QFileInfo(target.path).absolutePath() + u'/' + to);
        target.linked = true;
    }
}

QString phraseTargetReason(const PhraseTarget& target)
{
    switch (target.error) {
    case ENOENT:
        return QStringLiteral("链接指向的文件不存在");
    case EPERM:
        return QStringLiteral("这个符号链接属于另一个用户（uid %1），本程序只跟随您自己或 root "
                              "的链接")
            .arg(target.linkOwner);
    default:
        return reasonFor(target.error);
    }
}

} // namespace jlex
