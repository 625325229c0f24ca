#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <future>
#include <memory>

namespace jlex {

// What the history names a content by: its SHA-256, with its size and line
// count for listing. Equal digests mean equal contents.
struct ContentDigest {
    QByteArray sha256; // 32 bytes; empty when the content could not be read
    qint64 bytes = 0;
    qint64 lines = 0; // line ends, and an unended last line
    // A CR that is no part of a CR LF: the line ends of a format that ends
    // lines at a lone CR too then need rewriting, not just copying.
    bool loneCr = false;
    int error = 0; // why the content could not be read, when it could not

    bool valid() const { return sha256.size() == 32; }
    QString hex() const { return QString::fromLatin1(sha256.toHex()); }
};

// Takes a content in pieces, as it is read or written.
class DigestBuilder {
public:
    DigestBuilder();
    ~DigestBuilder();
    DigestBuilder(const DigestBuilder&) = delete;
    DigestBuilder& operator=(const DigestBuilder&) = delete;

    void add(QByteArrayView bytes);
    ContentDigest finish();

private:
    struct Context;
    std::unique_ptr<Context> m_context;
    qint64 m_bytes = 0;
    qint64 m_lines = 0;
    char m_last = '\n';
    bool m_loneCr = false;
};

ContentDigest digestOf(QByteArrayView bytes);

// Reads the file behind the descriptor from its start, without moving its
// offset; invalid, with the read's error number, when a read fails.
ContentDigest digestOfFile(int fd);

// The same in a thread of its own, so the caller's copy and this read of the
// same pages overlap instead of following one another. The descriptor is
// duplicated, so the caller may close its own.
std::future<ContentDigest> digestOfFileLater(int fd);

} // namespace jlex
