#pragma once

#include <QByteArray>
#include <QIODevice>

namespace jlex {

// Collects small writes into large blocks; writing a phrase file of a million
// short lines one line at a time would cost more than the reading.
class BlockWriter {
public:
    explicit BlockWriter(QIODevice& out, qsizetype blockSize = 1 << 20);
    bool write(QByteArrayView bytes);
    bool flush();

private:
    QIODevice& m_out;
    QByteArray m_block;
    qsizetype m_blockSize;
};

// Copies the lines of a phrase file, each followed by CR LF. A line ends at
// CR LF, at a lone CR or at the end of the input; a lone LF is an ordinary
// byte. Bytes are never decoded, so a file that is not valid GBK passes
// through unchanged. Reads in blocks, so memory does not grow with the file.
// Returns false when reading or writing fails.
bool copyPhraseLines(QIODevice& in, BlockWriter& out);

// The first line of a text by the same rule, without its line end.
QByteArrayView firstPhraseLine(QByteArrayView bytes);

} // namespace jlex
