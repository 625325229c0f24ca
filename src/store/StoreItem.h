#pragma once

#include "store/FileSteps.h"

#include <QString>

namespace jlex {

// A store file as an operation names it: the path users are shown, where it
// is on this machine, and what users call it.
struct StoreItem {
    QString path;
    QString host;
    QString label; // e.g. "词库文件"
};

// A file an operation reads and then replaces, held open from the first look
// to the end, so that a change by another program meanwhile shows.
struct OpenFile {
    int fd = -1;
    FileState state; // as first seen through the descriptor
    OpenFile() = default;
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile();
    bool isOpen() const { return fd >= 0; }
};

} // namespace jlex
