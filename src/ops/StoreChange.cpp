#include "ops/StoreChange.h"

#include "store/FileErrors.h"
#include "store/FileSteps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace jlex {

namespace {

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

// Opens for reading, keeping the system's error number for the message.
int openForReading(QFile& file, const QString& host)
{
    const int fd = ::open(QFile::encodeName(host).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return EIO;
    }
    return 0;
}

const QString kInTheWay = QStringLiteral("这个位置被同名的目录或其他项目占用");

} // namespace

StoreChange::~StoreChange()
{
    rollBack();
}

bool StoreChange::fail(const QString& action, const StoreItem& item, const QString& reason)
{
    if (!m_error)
        m_error = StoreError{action, item.path, reason};
    return false;
}

bool StoreChange::failWith(const QString& action, const StoreItem& item, int error)
{
    return fail(action, item, reasonFor(error));
}

bool StoreChange::rollBack()
{
    bool all = true;
    while (!m_undo.empty()) {
        all = m_undo.back()() && all;
        m_undo.pop_back();
    }
    m_keptNames.clear();
    m_staged.clear(); // an uncommitted staged file removes its temporary file
    return all;
}

void StoreChange::keep()
{
    m_undo.clear();
    for (const QString& name : m_keptNames)
        removeFile(name);
    m_keptNames.clear();
}

bool StoreChange::requireFile(const StoreItem& item)
{
    const QFileInfo info(item.host);
    if (!info.exists())
        return fail(QStringLiteral("找不到") + item.label, item, QStringLiteral("文件不存在"));
    if (!info.isFile())
        return fail(item.label + QStringLiteral("不是普通文件"), item, kInTheWay);
    QFile probe;
    if (const int error = openForReading(probe, item.host))
        return failWith(QStringLiteral("无法读取") + item.label, item, error);
    return true;
}

bool StoreChange::requireAbsent(const StoreItem& item, const QString& action, const QString& reason)
{
    if (QFileInfo::exists(item.host) || QFileInfo(item.host).isSymLink())
        return fail(action, item, reason);
    return true;
}

bool StoreChange::requireReplaceable(const StoreItem& item)
{
    const QFileInfo info(item.host);
    if (info.exists() && !info.isFile())
        return fail(item.label + QStringLiteral("不是普通文件"), item, kInTheWay);
    return true;
}

bool StoreChange::requireWritableDirOf(const StoreItem& item, bool mayCreate)
{
    const QString target = followLinks(item.host);
    // A linked file is written in the directory of the file the link points at.
    const StoreItem dir{target == QFileInfo(item.host).absoluteFilePath()
                            ? shownDirOf(item.path)
                            : QFileInfo(target).absolutePath(),
                        item.host, QStringLiteral("目录")};
    const QString action =
        QStringLiteral("无法写入") + fileNameOf(item.path) + QStringLiteral("所在的目录");
    const QString hostDir = QFileInfo(target).absolutePath();
    if (mayCreate && !QFileInfo::exists(hostDir) && !QDir().mkpath(hostDir))
        return fail(QStringLiteral("无法创建") + fileNameOf(item.path) +
                        QStringLiteral("所在的目录"),
                    dir, QStringLiteral("没有访问权限，或路径被同名的文件占用"));
    const QFileInfo info(hostDir);
    if (!info.isDir())
        return fail(QStringLiteral("找不到") + fileNameOf(item.path) + QStringLiteral("所在的目录"),
                    dir, QStringLiteral("目录不存在（本程序不会创建目录）"));
    if (::access(QFile::encodeName(hostDir).constData(), W_OK | X_OK) != 0)
        return failWith(action, dir, errno);
    return true;
}

QIODevice* StoreChange::stage(const StoreItem& target)
{
    auto file = std::make_unique<StagedFile>(target.host);
    if (!file->open()) {
        failWith(QStringLiteral("无法写入") + target.label, target, file->failure());
        return nullptr;
    }
    QIODevice* device = file.get();
    m_staged[target.host] = std::move(file);
    return device;
}

bool StoreChange::stagingFailed(const StoreItem& target)
{
    const auto it = m_staged.find(target.host);
    const int error = it != m_staged.end() ? it->second->failure() : 0;
    return error ? failWith(QStringLiteral("无法写入") + target.label, target, error)
                 : fail(QStringLiteral("无法写入") + target.label, target, QString());
}

bool StoreChange::stageCopy(const StoreItem& from, const StoreItem& to)
{
    QFile source;
    if (const int error = openForReading(source, from.host))
        return failWith(QStringLiteral("无法读取") + from.label, from, error);
    QIODevice* out = stage(to);
    if (!out)
        return false;
    QByteArray block(qsizetype(1) << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = source.read(block.data(), block.size());
        if (got < 0)
            return failWith(QStringLiteral("无法读取") + from.label, from, EIO);
        if (got == 0)
            return true;
        if (out->write(block.constData(), got) != got)
            return stagingFailed(to);
    }
}

bool StoreChange::stageKeep(const StoreItem& from, const StoreItem& to)
{
    auto file = std::make_unique<StagedFile>(to.host);
    if (!file->openAsLinkTo(from.host))
        return failWith(QStringLiteral("无法写入") + to.label, to, file->failure());
    m_staged[to.host] = std::move(file);
    return true;
}

bool StoreChange::put(const StoreItem& target, const StoreItem* keepOldAs)
{
    const auto it = m_staged.find(target.host);
    Q_ASSERT(it != m_staged.end());
    const std::unique_ptr<StagedFile> file = std::move(it->second);
    m_staged.erase(it);
    const QString final = file->finalPath();
    const QString action = QStringLiteral("无法写入") + target.label;

    QString kept;
    if (QFileInfo(final).isFile()) {
        kept = keepOldAs ? keepOldAs->host : hiddenNameBeside(final, "jlex-old");
        if (kept.isEmpty())
            return failWith(action, target, errno ? errno : EIO);
        if (const int error = keepAs(final, kept))
            return failWith(action, keepOldAs ? *keepOldAs : target, error);
        m_keptNames.push_back(kept);
    }
    if (!file->commit()) {
        if (!kept.isEmpty()) {
            removeFile(kept);
            m_keptNames.pop_back();
        }
        return failWith(action, target, file->failure());
    }
    if (kept.isEmpty())
        m_undo.push_back([final] { return removeFile(final) == 0; });
    else
        m_undo.push_back([final, kept] { return renameFile(kept, final) == 0; });
    return true;
}

bool StoreChange::writeStamp(const StoreItem& stamp, const QByteArray& bytes)
{
    QIODevice* out = stage(stamp);
    if (!out)
        return false;
    if (out->write(bytes) != bytes.size())
        return stagingFailed(stamp);
    return put(stamp);
}

} // namespace jlex
