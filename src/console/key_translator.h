// Turns the bytes a terminal sends into the key codes of the console: single
// bytes, UTF-8 characters (as code page 437 bytes) and escape sequences of
// movement and function keys (as two-code keys). Fed one byte at a time; pure,
// no input or output, fixed memory whatever the input.
#pragma once

// One key: its lead code 0..255 and its second code, or -1 for a one-code key.
struct TranslatedKey {
    int lead;
    int second;
};

// Most keys a single event can complete: a pending Alt+Esc and the key of the
// byte that ended it.
constexpr int KEY_TRANSLATOR_MAX_KEYS = 2;

// Bytes of a sequence in progress are not stored: parameters are parsed as
// they come, so a sequence of any length costs nothing more.
struct KeyTranslator {
    int state;
    bool alt;                 // an ESC prefix came before the sequence
    bool ss3;                 // the sequence is ESC O rather than ESC [
    bool malformed;           // something no key sends: consume, give no code
    int param_count;          // parameters started so far (0 when none)
    int params[2];            // the first two parameters, capped
    unsigned long code_point; // UTF-8 character being decoded
    int utf8_left;            // continuation bytes still expected
    int utf8_low, utf8_high;  // range allowed for the next continuation byte
};

// Puts the translator in its start state: no sequence in progress.
void key_translator_reset(KeyTranslator &translator);

// Takes one byte; stores the keys it completes in keys and returns how many
// (0..KEY_TRANSLATOR_MAX_KEYS). A byte that cannot continue the sequence in
// progress (a control byte, a byte of 128 or more, a new ESC) ends that
// sequence without a code and is then taken as if it came first.
int key_translator_feed(KeyTranslator &translator, unsigned char byte,
                        TranslatedKey (&keys)[KEY_TRANSLATOR_MAX_KEYS]);

// True while a sequence is incomplete: the caller waits about 50 ms for its
// next byte and reports the silence with key_translator_timeout.
bool key_translator_incomplete(const KeyTranslator &translator);

// No further byte came in time: a lone ESC (or Alt+Esc) gives 27, any other
// cut-off sequence gives nothing. Returns the number of keys stored.
int key_translator_timeout(KeyTranslator &translator,
                           TranslatedKey (&keys)[KEY_TRANSLATOR_MAX_KEYS]);
