#pragma once

#include "store/PhraseFormat.h"

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

// Copies the lines of a phrase file, each followed by the format's line end.
// In GBK with CR LF a line ends at CR LF, at a lone CR or at the end of the
// input, and a lone LF is an ordinary byte; in UTF-8 with LF a line ends at LF,
// so the bytes pass as they are and only a missing last LF is added. Bytes
// are never decoded, so a file in some other encoding passes through
// unchanged. Reads in blocks, so memory does not grow with the file.
// Returns false when reading or writing fails.
bool copyPhraseLines(QIODevice& in, BlockWriter& out, PhraseFormat format = PhraseFormat::GbkCrLf);

} // namespace jlex
