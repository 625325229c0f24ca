#pragma once

#include <QString>

// The program's own words, shared by the operations and the windows.
namespace jlex::texts {

inline const QString kAppTitle = QStringLiteral("日语输入法");

inline const QString kInstallDone = QStringLiteral("安装完成！");
inline const QString kBackupDone = QStringLiteral("备份完成！");
inline const QString kRestoreDone = QStringLiteral("还原完成！");

// Lines broken by a lone CR, as the message has always been written.
inline const QString kBackupWarningTitle = QStringLiteral("！！！！！注意！！！！！         ");
inline const QString kBackupWarningText = QStringLiteral("             决定了\r"
                                                         "             不备份\r"
                                                         "             现有词条！");

inline const QString kNoBackupTime = QStringLiteral("        不存在。");

// On the status line after an operation put a replaced file into the history.
inline const QString kKeptNote =
    QStringLiteral("说明：被替换下来的词库已存入历史记录，取回的方法见帮助说明“如何还原卸载？”。");

} // namespace jlex::texts
