#include "ops/TablePlacement.h"

#include "store/ContentDigest.h"

#include <cerrno>
#include <unistd.h>

namespace jlex {

namespace {

// 0, or the error number; a file shorter than asked reads as ENODATA.
int readAt(int fd, QByteArray& buffer, qint64 at)
{
    for (qsizetype done = 0; done < buffer.size();) {
        const ssize_t got =
            ::pread(fd, buffer.data() + done, size_t(buffer.size() - done), off_t(at + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return ENODATA;
        done += got;
    }
    return 0;
}

} // namespace

PlacedTables TablePlacement::find(int fd, qint64 size, const PhraseFormat& format) const
{
    PlacedTables placed;
    qint64 at = 0;
    for (bool found = true; found;) {
        found = false;
        for (const ShippedTable& table : shippedTables()) {
            if (table.format != format.name || at + table.bytes > size)
                continue;
            QByteArray bytes(table.bytes, Qt::Uninitialized);
            if (const int error = readAt(fd, bytes, at); error && error != ENODATA) {
                placed.error = error;
                return placed;
            }
            if (digestOf(bytes).sha256 == table.sha256) {
                at += table.bytes;
                if (!placed.tables.contains(table.table))
                    placed.tables << table.table;
                found = true;
                break;
            }
        }
    }
    // Without the closing line jlex wrote after its tables and the user's part.
    qint64 to = size;
    const QByteArray& closing = format.closingLine;
    if (at > 0 && !closing.isEmpty() && to - at >= closing.size()) {
        QByteArray tail(closing.size(), Qt::Uninitialized);
        if (const int error = readAt(fd, tail, to - tail.size())) {
            placed.error = error;
            return placed;
        }
        if (tail == closing)
            to -= closing.size();
    }
    placed.after = {{at, to}};
    return placed;
}

QByteArray TablePlacement::text(const QList<PhraseTable>& tables, const PhraseFormat& format) const
{
    return joinedTables(tablesToInstall(tables), format);
}

} // namespace jlex
