#include "ops/OwnTables.h"

#include "store/ContentDigest.h"
#include "tables/PhraseTables.h"

#include <cerrno>
#include <unistd.h>

namespace jlex {

namespace {

bool readAt(int fd, QByteArray& buffer, qint64 at)
{
    for (qsizetype done = 0; done < buffer.size();) {
        const ssize_t got =
            ::pread(fd, buffer.data() + done, size_t(buffer.size() - done), off_t(at + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += got;
    }
    return true;
}

} // namespace

OwnTables ownTablesAtStart(int fd, qint64 size, const PhraseFormat& format)
{
    OwnTables own;
    for (bool found = true; found;) {
        found = false;
        for (const ShippedTable& table : shippedTables()) {
            if (table.format != format.name || own.bytes + table.bytes > size)
                continue;
            QByteArray bytes(table.bytes, Qt::Uninitialized);
            if (readAt(fd, bytes, own.bytes) && digestOf(bytes).sha256 == table.sha256) {
                own.bytes += table.bytes;
                if (!own.tables.contains(table.table))
                    own.tables << table.table;
                found = true;
                break;
            }
        }
    }
    return own;
}

} // namespace jlex
