#pragma once

#include <QString>

namespace jlex {

// How a failure of a file step is told, in one place: what could not be
// done to which item (the action a message begins with), and why.

// A step that failed with an error number: "无法读取" + what...
enum class FileStep {
    Read,   // 无法读取…
    Write,  // 无法写入…
    Remove, // 无法删除…
    Create, // 无法创建…
    Access, // 无法访问…
    Update, // 无法更新…
    Lock,   // 无法锁定…
    Locate, // 无法确定…的位置
    Sync,   // 无法把…写入磁盘
    Keep,   // 无法把…保存到历史记录
};
QString cannot(FileStep step, const QString& what);

// What is wrong with an item when no step failed.
enum class FileProblem {
    Missing,           // 找不到…
    Link,              // …是一个符号链接
    NotAFile,          // …不是普通文件
    NotADirectory,     // …不是目录
    LinkNotFollowed,   // 不能跟随…的符号链接
    ChangedMeanwhile,  // 另一个程序在此期间改动了…
    ChangedSinceShown, // 窗口显示之后，…有了变化
};
QString problemWith(FileProblem problem, const QString& what);

// The reason a file step failed, as users of a Chinese desktop read it: the
// common causes in Chinese, the system's words only for the rare rest. Never
// names a path, since the message already gives the file as users know it.
QString reasonFor(int error);

} // namespace jlex
