#include "store/PhraseLines.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace jlex {

namespace {

constexpr QByteArrayView kCrLf("\r\n");

// Tracks whether the bytes written so far end inside an unterminated line.
class LineSink {
public:
    explicit LineSink(BlockWriter& out) : m_out(out) {}

    bool put(QByteArrayView bytes)
    {
        if (bytes.isEmpty())
            return true;
        m_open = !bytes.endsWith(kCrLf);
        return m_out.write(bytes);
    }
    bool endLine()
    {
        m_open = false;
        return m_out.write(kCrLf);
    }
    bool open() const { return m_open; }

private:
    BlockWriter& m_out;
    bool m_open = false;
};

// Reads [from, to) in blocks and hands each to the consumer, which returns
// false when writing failed.
template <class Consumer> CopyResult readBlocks(int fd, qint64 from, qint64 to, Consumer consume)
{
    QByteArray chunk(qsizetype(1) << 18, Qt::Uninitialized);
    for (qint64 at = from; at < to;) {
        const ssize_t got =
            ::pread(fd, chunk.data(), size_t(std::min<qint64>(chunk.size(), to - at)), off_t(at));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return CopyResult::ReadFailed;
        if (got == 0)
            break; // the file shrank meanwhile; the caller sees it changed
        if (!consume(chunk.constData(), qsizetype(got)))
            return CopyResult::WriteFailed;
        at += got;
    }
    return CopyResult::Done;
}

CopyResult copyCrLfLines(int fd, qint64 from, qint64 to, BlockWriter& out)
{
    LineSink sink(out);
    bool pendingCr = false; // the previous block ended with a CR
    const CopyResult read = readBlocks(fd, from, to, [&](const char* data, qsizetype size) {
        qsizetype pos = 0;
        if (pendingCr) {
            pendingCr = false;
            if (!sink.endLine())
                return false;
            if (data[0] == '\n')
                pos = 1;
        }
        // Runs of lines that already end in CR LF are written as they stand;
        // only a lone CR needs rewriting.
        qsizetype runStart = pos;
        while (pos < size) {
            const void* hit = std::memchr(data + pos, '\r', size_t(size - pos));
            if (!hit)
                break;
            const qsizetype cr = static_cast<const char*>(hit) - data;
            if (cr + 1 == size) {
                if (!sink.put(QByteArrayView(data + runStart, cr - runStart)))
                    return false;
                pendingCr = true;
                runStart = pos = size;
                break;
            }
            if (data[cr + 1] == '\n') {
                pos = cr + 2;
                continue;
            }
            if (!sink.put(QByteArrayView(data + runStart, cr - runStart)) || !sink.endLine())
                return false;
            runStart = pos = cr + 1;
        }
        return sink.put(QByteArrayView(data + runStart, size - runStart));
    });
    if (read != CopyResult::Done)
        return read;
    if ((pendingCr || sink.open()) && !sink.endLine())
        return CopyResult::WriteFailed;
    return CopyResult::Done;
}

} // namespace

BlockWriter::BlockWriter(QIODevice& out, qsizetype blockSize) : m_out(out), m_blockSize(blockSize)
{
    m_block.reserve(blockSize);
}

bool BlockWriter::write(QByteArrayView bytes)
{
    if (m_block.size() + bytes.size() > m_blockSize && !flush())
        return false;
    if (bytes.size() >= m_blockSize)
        return m_out.write(bytes.data(), bytes.size()) == bytes.size();
    m_block.append(bytes);
    return true;
}

bool BlockWriter::flush()
{
    if (m_block.isEmpty())
        return true;
    const bool ok = m_out.write(m_block) == m_block.size();
    m_block.resize(0);
    return ok;
}

CopyResult copyPhraseLines(int fd, qint64 from, qint64 to, BlockWriter& out, PhraseFormat format)
{
    switch (format) {
    case PhraseFormat::GbkCrLf:
        return copyCrLfLines(fd, from, to, out);
    case PhraseFormat::Utf8Lf:
    case PhraseFormat::RimeTsv:
        break;
    }
    return readBlocks(fd, from, to, [&](const char* data, qsizetype size) {
        return out.write(QByteArrayView(data, size));
    });
}

} // namespace jlex
