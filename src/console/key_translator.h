// Turns the bytes a terminal sends into the key codes of the console: single
// bytes, UTF-8 characters (as code page 437 bytes) and escape sequences of
// movement and function keys (as two-code keys). Fed one byte at a time; pure,
// no input or output, fixed memory whatever the input.
//
// Terminals also send replies and reports that are no keys; they are
// swallowed whole:
// - strings: ESC ] (OSC), ESC P (DCS), ESC X (SOS), ESC ^ (PM) and ESC _
//   (APC), then a payload, ended by BEL or ST (ESC \). CAN or SUB cancels a
//   string; any other ESC ends it and starts a sequence of its own. These five
//   used to be Alt with ], P, X, ^ and _, giving the key's own code; now they
//   give it only when a pause follows the introducer (see the ESC wait below).
// - X10 mouse reports: ESC [ M and three bytes of 32..255. (The urxvt and SGR
//   reports, ESC [ b;x;y M and ESC [ < b;x;y M, are sequences no key sends.)
// The 8-bit forms of the introducers (0x90, 0x98, 0x9B, 0x9D..0x9F) are not
// taken as such: in UTF-8 input these bytes continue typed characters.
//
// The ESC wait (key_translator_incomplete, key_translator_timeout):
// - after ESC + introducer, a pause means a user typed Alt with the key: it
//   gives the key's own code, as before strings were known;
// - once a payload byte has come, a pause changes nothing and the string runs
//   on to its terminator, so a reply that a slow link splits leaks nothing;
//   the translator is then not incomplete: the caller waits with no limit;
// - after an ESC inside a string, a pause ends the string without a key (the
//   link most likely split the ST).
// A string whose terminator never comes ends after its bound (below); Esc,
// Ctrl+G (BEL), Ctrl+X (CAN) or Ctrl+Z (SUB) end it at once, without a key.
#pragma once

// One key: its lead code 0..255 and its second code, or -1 for a one-code key.
struct TranslatedKey {
    int lead;
    int second;
};

// Most keys a single event can complete: a pending Alt+Esc and the key of the
// byte that ended it.
constexpr int KEY_TRANSLATOR_MAX_KEYS = 2;

// Payload bytes a string may have. Terminal replies are far shorter; past the
// bound the string is dropped and the next byte counts as if it came first,
// so a string without terminator takes at most this many keys.
constexpr int KEY_TRANSLATOR_STRING_MAX = 4096;

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
    int introducer;           // the byte after ESC that opened a string
    int bytes_left;           // payload a string may still take; bytes a mouse report still owes
};

// Puts the translator in its start state: no sequence in progress.
void key_translator_reset(KeyTranslator &translator);

// Takes one byte; stores the keys it completes in keys and returns how many
// (0..KEY_TRANSLATOR_MAX_KEYS). A byte that cannot continue the sequence in
// progress (a control byte, a byte of 128 or more, a new ESC) ends that
// sequence without a code and is then taken as if it came first.
int key_translator_feed(KeyTranslator &translator, unsigned char byte,
                        TranslatedKey (&keys)[KEY_TRANSLATOR_MAX_KEYS]);

// True while a silence would change the outcome: the caller waits about 50 ms
// for the next byte and reports the silence with key_translator_timeout.
// False between keys and inside a string's payload (wait without limit).
bool key_translator_incomplete(const KeyTranslator &translator);

// No further byte came in time: a lone ESC (or Alt+Esc) gives 27, ESC and a
// string introducer give the introducer's code, a string's payload goes on,
// any other cut-off sequence gives nothing. Returns the number of keys stored.
int key_translator_timeout(KeyTranslator &translator,
                           TranslatedKey (&keys)[KEY_TRANSLATOR_MAX_KEYS]);
