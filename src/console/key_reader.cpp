#include "console/key_reader.h"

#include "checks/invariant.h"

void key_reader_reset(KeyReader &reader) {
    key_translator_reset(reader.translator);
    reader.count = 0;
    reader.next = 0;
}

int key_reader_next(KeyReader &reader, NextByte next_byte, void *source, int *second) {
    while (reader.next == reader.count) {
        reader.next = 0;
        unsigned char byte = 0;
        if (next_byte(source, &byte)) {
            reader.count = key_translator_feed(reader.translator, byte, reader.ready);
        } else {
            reader.count = key_translator_timeout(reader.translator, reader.ready);
        }
        INVARIANT(reader.count >= 0 && reader.count <= KEY_TRANSLATOR_MAX_KEYS);
    }
    TranslatedKey key = reader.ready[reader.next++];
    *second = key.second;
    return key.lead;
}
