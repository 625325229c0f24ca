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

namespace {

bool copyLfLines(QIODevice& in, BlockWriter& out)
{
    QByteArray chunk(qsizetype(1) << 18, Qt::Uninitialized);
    char last = '\n';
    for (;;) {
        const qint64 got = in.read(chunk.data(), chunk.size());
        if (got < 0)
            return false;
        if (got == 0)
            break;
        last = chunk[qsizetype(got) - 1];
        if (!out.write(QByteArrayView(chunk.constData(), qsizetype(got))))
            return false;
    }
    return last == '\n' || out.write("\n");
}

} // namespace

bool copyPhraseLines(QIODevice& in, BlockWriter& out, PhraseFormat format)
{
    if (format == PhraseFormat::Utf8Lf)
        return copyLfLines(in, out);
    LineSink sink(out);
    QByteArray chunk(qsizetype(1) << 18, Qt::Uninitialized);
    bool pendingCr = false; // the previous block ended with a CR
    for (;;) {
        const qint64 got = in.read(chunk.data(), chunk.size());
        if (got < 0)
            return false;
        if (got == 0)
            break;
        const char* data = chunk.constData();
        const qsizetype size = qsizetype(got);
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
        if (!sink.put(QByteArrayView(data + runStart, size - runStart)))
            return false;
    }
    if (pendingCr || sink.open())
        return sink.endLine();
    return true;
}

} // namespace jlex
