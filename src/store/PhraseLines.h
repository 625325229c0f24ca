#pragma once

#include "store/FileSteps.h"
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

// Copies the user's part of a phrase file, bytes [from, to) of the open file,
// as the format keeps it. Where a lone CR ends a line too (GBK with CR LF),
// every line comes back ended by CR LF, as the IME reads them: a line ends at
// CR LF, at a lone CR (which becomes CR LF) or at the end of the input (which
// gets one), and a lone LF is an ordinary byte. Other formats take the bytes
// exactly as they are.
// Bytes are never decoded, so a file in some other encoding passes through.
// Reads in blocks, so memory does not grow with the file. A failed write is
// the writer's device to explain; a failed read comes with its error number.
CopyResult copyPhraseLines(int fd, qint64 from, qint64 to, BlockWriter& out,
                           const PhraseFormat& format);

} // namespace jlex
