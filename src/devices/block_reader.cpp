#include "devices/block_reader.h"

#include <unistd.h>

#include "checks/invariant.h"

ssize_t BlockReader::refill(int fd) {
    INVARIANT(next == length);
    ssize_t got = read(fd, block, sizeof block);
    if (got > 0) {
        length = static_cast<int>(got);
        next = 0;
    }
    return got;
}
