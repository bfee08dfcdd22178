// Bytes read from a descriptor a block at a time and handed out one by one,
// for both devices that read keys: a paste, or a file of keys, costs a read
// per block rather than per byte.
#pragma once

#include <sys/types.h>

struct BlockReader {
    unsigned char block[4096];
    int length = 0;
    int next = 0;

    // Whether bytes of the last block are still to be handed out.
    bool has_byte() const { return next < length; }
    unsigned char take() { return block[next++]; }

    // One read of a block from fd: the number of bytes (0 at the end of the
    // input), or -1 with errno; the block holds what was read.
    ssize_t refill(int fd);

    // Forgets what is left of the block.
    void reset() {
        length = 0;
        next = 0;
    }
};
