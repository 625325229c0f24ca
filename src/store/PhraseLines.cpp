#include "store/PhraseLines.h"

#include <cstring>

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

// The reading of [from, to) told apart from the writing.
CopyResult copyBlocks(int fd, qint64 from, qint64 to,
                      const std::function<bool(QByteArrayView)>& use)
{
    bool wrote = true;
    const int error = readBlocks(fd, from, to, [&](QByteArrayView b) { return wrote = use(b); });
    return !wrote  ? CopyResult::writeFailed()
           : error ? CopyResult::readFailed(error)
                   : CopyResult{};
}

CopyResult copyCrLfLines(int fd, qint64 from, qint64 to, BlockWriter& out)
{
    LineSink sink(out);
    bool pendingCr = false; // the previous block ended with a CR
    const CopyResult read = copyBlocks(fd, from, to, [&](QByteArrayView bytes) {
        const char* data = bytes.data();
        const qsizetype size = bytes.size();
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
    if (!read.done())
        return read;
    if ((pendingCr || sink.open()) && !sink.endLine())
        return CopyResult::writeFailed();
    return {};
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

CopyResult copyPhraseLines(int fd, qint64 from, qint64 to, BlockWriter& out,
                           const PhraseFormat& format)
{
    if (format.crLfLines)
        return copyCrLfLines(fd, from, to, out);
    return copyBlocks(fd, from, to, [&](QByteArrayView bytes) { return out.write(bytes); });
}

} // namespace jlex
