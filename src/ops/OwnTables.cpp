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

qint64 ownTablesAtStart(int fd, qint64 size, PhraseFormat format)
{
    qint64 at = 0;
    for (bool found = true; found;) {
        found = false;
        for (const ShippedTable& table : shippedTables()) {
            if (table.format != format || at + table.bytes > size)
                continue;
            QByteArray bytes(table.bytes, Qt::Uninitialized);
            if (readAt(fd, bytes, at) && digestOf(bytes).sha256 == table.sha256) {
                at += table.bytes;
                found = true;
                break;
            }
        }
    }
    return at;
}

} // namespace jlex
