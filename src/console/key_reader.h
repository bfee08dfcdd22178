// Keys from a stream of bytes: the key translator, and the keys it completed
// but has not handed out yet (one byte can complete two). Shared by the
// devices that read bytes, the terminal and batch sessions.
#pragma once

#include "console/key_translator.h"

struct KeyReader {
    KeyTranslator translator;
    TranslatedKey ready[KEY_TRANSLATOR_MAX_KEYS];
    int count;
    int next;
};

// Where the bytes come from: stores the next byte and returns true, or
// returns false when the silence of the ESC wait came instead.
using NextByte = bool (*)(void *source, unsigned char *byte);

// The start state: no sequence in progress, no key waiting.
void key_reader_reset(KeyReader &reader);

// Takes bytes from source until a key is complete. Returns its lead code
// and stores its second code, or -1 for a one-code key, in *second.
int key_reader_next(KeyReader &reader, NextByte next_byte, void *source, int *second);
