#pragma once

#include <QString>

namespace jlex {

// What could not be done to which store file, and the system's reason: enough
// for the user to find the file and see what stood in the way.
struct StoreError {
    QString action;      // e.g. "无法读取词库文件"
    QString windowsPath; // the path as users know it
    QString hostPath;    // where that is on this machine, when it differs
    QString reason;      // the system's own words

    QString describe() const;
};

} // namespace jlex
