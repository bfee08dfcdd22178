#include "devices/block_reader.h"

#include <unistd.h>

#include "checks/invariant.h"

unsigned char block_reader_take(BlockReader &reader) {
    INVARIANT(reader.next < reader.length);
    return reader.block[reader.next++];
}

ssize_t block_reader_refill(BlockReader &reader, int fd) {
    INVARIANT(reader.next == reader.length);
    ssize_t got = read(fd, reader.block, sizeof reader.block);
    if (got > 0) {
        reader.length = static_cast<int>(got);
        reader.next = 0;
    }
    return got;
}

void block_reader_reset(BlockReader &reader) {
    reader.length = 0;
    reader.next = 0;
}
