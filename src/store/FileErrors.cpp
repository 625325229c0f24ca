#include "store/FileErrors.h"

#include <cerrno>
#include <cstring>

namespace jlex {

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
