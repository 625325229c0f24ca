#include "store/FileErrors.h"

#include <cerrno>
#include <cstring>

namespace jlex {

QString cannot(FileStep step, const QString& what)
{
    switch (step) {
    case FileStep::Read:
        return QStringLiteral("无法读取") + what;
    case FileStep::Write:
        return QStringLiteral("无法写入") + what;
    case FileStep::Remove:
        return QStringLiteral("无法删除") + what;
    case FileStep::Create:
        return QStringLiteral("无法创建") + what;
    case FileStep::Access:
        return QStringLiteral("无法访问") + what;
    case FileStep::Update:
        return QStringLiteral("无法更新") + what;
    case FileStep::Lock:
        return QStringLiteral("无法锁定") + what;
    case FileStep::Locate:
        return QStringLiteral("无法确定%1的位置").arg(what);
    case FileStep::Sync:
        return QStringLiteral("无法把%1写入磁盘").arg(what);
    case FileStep::Keep:
        return QStringLiteral("无法把%1保存到历史记录").arg(what);
    }
    Q_UNREACHABLE();
    return {};
}

QString problemWith(FileProblem problem, const QString& what)
{
    switch (problem) {
    case FileProblem::Missing:
        return QStringLiteral("找不到") + what;
    case FileProblem::Link:
        return what + QStringLiteral("是一个符号链接");
    case FileProblem::NotAFile:
        return what + QStringLiteral("不是普通文件");
    case FileProblem::NotADirectory:
        return what + QStringLiteral("不是目录");
    case FileProblem::LinkNotFollowed:
        return QStringLiteral("不能跟随%1的符号链接").arg(what);
    case FileProblem::ChangedMeanwhile:
        return QStringLiteral("另一个程序在此期间改动了") + what;
    case FileProblem::ChangedSinceShown:
        return QStringLiteral("窗口显示之后，%1有了变化").arg(what);
    }
    Q_UNREACHABLE();
    return {};
}

QString reasonFor(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("文件或目录不存在");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有访问权限");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("磁盘空间不足");
    case EFBIG:
        return QStringLiteral("文件超出了允许的大小（磁盘配额或系统限制）");
    case EROFS:
        return QStringLiteral("文件所在的磁盘是只读的");
    case EISDIR:
        return QStringLiteral("这个位置被同名的目录占用");
    case ENOTDIR:
        return QStringLiteral("路径中的某个目录被同名的文件占用");
    case EEXIST:
        return QStringLiteral("同名的文件已经存在");
    case ENAMETOOLONG:
        return QStringLiteral("文件名或路径太长");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("文件正被其他程序使用");
    case ELOOP:
        return QStringLiteral("符号链接形成了循环");
    case EIO:
        return QStringLiteral("磁盘读写出错");
    case EMLINK:
        return QStringLiteral("文件的链接数已达上限");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("打开的文件太多");
    case ENOMEM:
        return QStringLiteral("内存不足");
    case EINVAL:
        return QStringLiteral("这个位置不是普通文件");
    default:
        // Rare enough that the system's own name for it is the most useful
        // thing to show, and in English it is the same on every desktop.
        return QStringLiteral("系统错误 %1（%2）")
            .arg(QString::fromLatin1(strerrorname_np(error)),
                 QString::fromLatin1(strerrordesc_np(error)));
    }
}

} // namespace jlex
