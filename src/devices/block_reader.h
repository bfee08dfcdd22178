// Bytes read from a descriptor a block at a time and handed out one by one,
// for both devices that read keys: a paste, or a file of keys, costs a read
// per block rather than per byte.
#pragma once

#include <sys/types.h>

struct BlockReader {
    unsigned char block[4096] = {};
    int length = 0;
    int next = 0;
};

// Whether bytes of the last block are still to be handed out.
inline bool block_reader_has_byte(const BlockReader &reader) { return reader.next < reader.length; }

// The next byte of the last block; there must be one.
unsigned char block_reader_take(BlockReader &reader);

// One read of a block from fd, once the last one is handed out: the number
// of bytes (0 at the end of the input), or -1 with errno.
ssize_t block_reader_refill(BlockReader &reader, int fd);

// Forgets what is left of the block.
void block_reader_reset(BlockReader &reader);
