#include "ops/TablePlacement.h"

#include "store/ContentDigest.h"
#include "store/FileSteps.h"

namespace jlex {

PlacedTables TablePlacement::find(int fd, qint64 size, const PhraseFormat& format) const
{
    PlacedTables placed;
    qint64 at = 0;
    for (bool found = true; found;) {
        found = false;
        for (const ShippedTable& table : shippedTables()) {
            if (table.format != format.name || at + table.bytes > size)
                continue;
            int error = 0;
            const QByteArray bytes = readBytes(fd, at, table.bytes, &error);
            if (error) {
                placed.error = error;
                return placed;
            }
            // A file cut meanwhile holds less than the table, so no table.
            if (bytes.size() == table.bytes && digestOf(bytes).sha256 == table.sha256) {
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
        int error = 0;
        const QByteArray tail = readBytes(fd, to - closing.size(), closing.size(), &error);
        if (error) {
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
