#include "store/StoreItem.h"

#include <unistd.h>

namespace jlex {

OpenFile::~OpenFile()
{
    if (fd >= 0)
        ::close(fd);
}

} // namespace jlex
