#include "ops/StoreChecks.h"

#include "store/FileErrors.h"
#include "store/PhraseLink.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace jlex {

namespace {

QByteArray local(const QString& path)
{
    return QFile::encodeName(path);
}

QString shownDirOf(const QString& shownPath)
{
    const qsizetype cut =
        std::max(shownPath.lastIndexOf(QLatin1Char('\\')), shownPath.lastIndexOf(QLatin1Char('/')));
    return shownPath.left(cut + 1);
}

QString fileNameOf(const QString& shownPath)
{
    return shownPath.mid(shownDirOf(shownPath).size());
}

const QString kInTheWay = QStringLiteral("这个位置被同名的目录或其他项目占用");
const QString kNoFollow = QStringLiteral("本程序不跟随自己文件名上的符号链接（它可能是别人放的），"
                                         "请查看并移走它");

} // namespace

bool StoreChecks::requireFile(const StoreItem& item)
{
    const FileState state = fileState(item.host);
    switch (state.kind) {
    case FileState::Kind::Absent:
        return m_failures.fail(FileProblem::Missing, item, QStringLiteral("文件不存在"));
    case FileState::Kind::Link:
        return m_failures.fail(FileProblem::Link, item, kNoFollow);
    case FileState::Kind::Failed:
        return m_failures.failWith(FileStep::Read, item, state.error);
    case FileState::Kind::Directory:
    case FileState::Kind::Other:
        return m_failures.fail(FileProblem::NotAFile, item, kInTheWay);
    case FileState::Kind::File:
        break;
    }
    const int fd = openForReading(item.host);
    if (fd < 0)
        return m_failures.failWith(FileStep::Read, item, -fd);
    ::close(fd);
    return true;
}

bool StoreChecks::requireAbsent(const StoreItem& item, const QString& action, const QString& reason)
{
    if (fileState(item.host).exists())
        return m_failures.fail(action, item, reason);
    return true;
}

bool StoreChecks::requireReplaceable(const StoreItem& item)
{
    const FileState state = fileState(item.host);
    if (state.kind == FileState::Kind::Link)
        return m_failures.fail(FileProblem::Link, item, kNoFollow);
    if (state.kind == FileState::Kind::Failed)
        return m_failures.failWith(FileStep::Access, item, state.error);
    if (state.exists() && !state.isFile())
        return m_failures.fail(FileProblem::NotAFile, item, kInTheWay);
    return true;
}

bool StoreChecks::openPhraseFile(StoreItem& item, bool mustExist, OpenFile& file)
{
    const PhraseTarget target = resolvePhraseFile(item.host);
    if (target.error) {
        const QString action =
            target.error == ENOENT  ? problemWith(FileProblem::Missing, item.label)
            : target.error == EPERM ? problemWith(FileProblem::LinkNotFollowed, item.label)
                                    : cannot(FileStep::Read, item.label);
        return m_failures.fail(action, item, phraseTargetReason(target));
    }
    item.host = target.path;
    if (!fileState(item.host).exists()) {
        if (mustExist)
            return m_failures.fail(FileProblem::Missing, item, QStringLiteral("文件不存在"));
        return requireReplaceable(item);
    }
    return openFile(item, file);
}

bool StoreChecks::openFile(const StoreItem& item, OpenFile& file)
{
    if (!requireFile(item))
        return false;
    file.fd = openForReading(item.host);
    if (file.fd < 0) {
        const int error = -file.fd;
        file.fd = -1;
        return m_failures.failWith(FileStep::Read, item, error);
    }
    file.state = fileState(file.fd);
    return true;
}

bool StoreChecks::requireWritableDirOf(const StoreItem& item, bool mayCreate)
{
    const QString hostDir = QFileInfo(item.host).absolutePath();
    const QString name = fileNameOf(item.path);
    // A linked file is written in the directory of the file the link points at.
    const bool linked = QFileInfo(item.host).fileName() != name;
    const StoreItem dir{linked ? hostDir : shownDirOf(item.path), hostDir,
                        name + QStringLiteral("所在的目录")};
    if (mayCreate && !fileState(hostDir, true).exists()) {
        if (const int error = makePrivateDirs(hostDir))
            return m_failures.failWith(FileStep::Create, dir, error);
    }
    const FileState state = fileState(hostDir, true);
    if (state.kind != FileState::Kind::Directory)
        return m_failures.fail(FileProblem::Missing, dir,
                               state.exists() ? reasonFor(ENOTDIR)
                                              : QStringLiteral("目录不存在（本程序不会创建目录）"));
    if (::access(local(hostDir).constData(), W_OK | X_OK) != 0)
        return m_failures.failWith(FileStep::Write, dir, errno);
    return true;
}

bool StoreChecks::requireHistory()
{
    const StoreItem item{m_history.dir(), m_history.dir(), QStringLiteral("历史记录目录")};
    if (const int error = makePrivateDirs(m_history.dir()))
        return m_failures.failWith(FileStep::Create, item, error);
    const FileState state = fileState(m_history.dir());
    if (state.kind != FileState::Kind::Directory)
        return m_failures.fail(FileProblem::NotADirectory, item, kNoFollow);
    if (::access(local(m_history.dir()).constData(), W_OK | X_OK) != 0)
        return m_failures.failWith(FileStep::Write, item, errno);
    return true;
}

bool StoreChecks::requireUnchanged(const StoreItem& item, const OpenFile& file)
{
    return (fileState(file.fd).sameFileAs(file.state) &&
            fileState(item.host).sameFileAs(file.state)) ||
           m_failures.failChangedMeanwhile(item);
}

} // namespace jlex
