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
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("文件正被其他程序使用");
    case ELOOP:
        return QStringLiteral("符号链接形成了循环");
    case EIO:
        return QStringLiteral("磁盘读写出错");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

} // namespace jlex
