#pragma once

#include <QByteArray>

#include <functional>

// Runs a piece of a test in a child process with less power than the test
// has: as an unprivileged user (root ignores file permissions, so a read-only
// directory is only read-only to someone else), or with a limit on file size
// (a write that fails part-way). What the child prints comes back as text.
struct ForkedResult {
    bool ran = false;
    QByteArray output;
};

ForkedResult runUnprivileged(const std::function<QByteArray()>& body);
ForkedResult runWithFileSizeLimit(long long bytes, const std::function<QByteArray()>& body);
