#include "console/key_translator.h"

#include <algorithm>
#include <cstddef>

#include "checks/invariant.h"
#include "console/cp437.h"

namespace {

enum State {
    GROUND,         // between keys
    ESCAPE,         // after ESC
    ESCAPE_ESCAPE,  // after ESC ESC: Alt with a sequence, or Alt+Esc
    SEQUENCE,       // inside ESC [ or ESC O, parameters so far
    LINUX_FKEY,     // after ESC [ [ (Linux console F1..F5)
    UTF8,           // inside a UTF-8 character
    STRING_START,   // after ESC and a string introducer, no payload yet
    STRING,         // inside a string's payload
    STRING_ESCAPE,  // after ESC inside a string: ST, or the string is cut off
    MOUSE,          // inside an X10 mouse report, after ESC [ M
};

constexpr int ESC = 27;
constexpr int MOUSE_REPORT_BYTES = 3;  // button, column, row

// Bytes that, after ESC, open a string: OSC, DCS, SOS, PM, APC.
constexpr unsigned char STRING_INTRODUCERS[] = {']', 'P', 'X', '^', '_'};

// Bytes that end a string without a key: BEL, the short terminator; CAN and
// SUB, which cancel it. ST (ESC \) is the other terminator.
constexpr unsigned char STRING_ENDINGS[] = {7, 24, 26};
constexpr unsigned char STRING_TERMINATOR_FINAL = '\\';

constexpr int PARAM_CAP = 9999;

enum Key {
    KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_HOME, KEY_END, KEY_PGUP, KEY_PGDN,
    KEY_INSERT, KEY_DELETE, KEY_CENTRE,
    KEY_F1, KEY_F2, KEY_F3, KEY_F4, KEY_F5, KEY_F6, KEY_F7, KEY_F8, KEY_F9, KEY_F10,
    KEY_F11, KEY_F12,
    KEY_COUNT,
    KEY_NONE = -1,
};

// Modifier bits as the terminal's parameter m = 1 + bits encodes them.
constexpr int MOD_SHIFT = 1;
constexpr int MOD_ALT = 2;
constexpr int MOD_CTRL = 4;
constexpr int MOD_META = 8;

enum Column { PLAIN, SHIFT, CTRL, ALT, COLUMN_COUNT };

constexpr TranslatedKey NONE = {-1, -1};

// Codes of each key by modifier column. Shift with a movement key gives the
// digit of its place on the keypad; Insert and Delete with Shift, and the
// keypad centre, give nothing.
constexpr TranslatedKey KEY_CODES[KEY_COUNT][COLUMN_COUNT] = {
    //  plain       Shift        Ctrl        Alt
    {{0, 72}, {'8', -1}, {0, 141}, {0, 152}},  // Up
    {{0, 80}, {'2', -1}, {0, 145}, {0, 160}},  // Down
    {{0, 75}, {'4', -1}, {0, 115}, {0, 155}},  // Left
    {{0, 77}, {'6', -1}, {0, 116}, {0, 157}},  // Right
    {{0, 71}, {'7', -1}, {0, 119}, {0, 151}},  // Home
    {{0, 79}, {'1', -1}, {0, 117}, {0, 159}},  // End
    {{0, 73}, {'9', -1}, {0, 132}, {0, 153}},  // PgUp
    {{0, 81}, {'3', -1}, {0, 118}, {0, 161}},  // PgDn
    {{0, 82}, NONE, {0, 146}, {0, 162}},       // Insert
    {{0, 83}, NONE, {0, 147}, {0, 163}},       // Delete
    {NONE, NONE, NONE, NONE},                  // keypad centre
    {{0, 59}, {0, 84}, {0, 94}, {0, 104}},     // F1
    {{0, 60}, {0, 85}, {0, 95}, {0, 105}},     // F2
    {{0, 61}, {0, 86}, {0, 96}, {0, 106}},     // F3
    {{0, 62}, {0, 87}, {0, 97}, {0, 107}},     // F4
    {{0, 63}, {0, 88}, {0, 98}, {0, 108}},     // F5
    {{0, 64}, {0, 89}, {0, 99}, {0, 109}},     // F6
    {{0, 65}, {0, 90}, {0, 100}, {0, 110}},    // F7
    {{0, 66}, {0, 91}, {0, 101}, {0, 111}},    // F8
    {{0, 67}, {0, 92}, {0, 102}, {0, 112}},    // F9
    {{0, 68}, {0, 93}, {0, 103}, {0, 113}},    // F10
    {{224, 133}, {224, 135}, {224, 137}, {224, 139}},  // F11
    {{224, 134}, {224, 136}, {224, 138}, {224, 140}},  // F12
};

// Sequences ending in a letter: ESC [ or ESC O, optional "1;m", the letter.
// The lower-case letters are rxvt's shifted (ESC [) and control (ESC O) arrows.
struct LetterKey {
    char final_byte;
    bool after_csi;  // ESC [ ends with it
    bool after_ss3;  // ESC O ends with it
    Key key;
    int implied;     // modifier bits the form itself stands for
};

constexpr LetterKey LETTER_KEYS[] = {
    {'A', true, true, KEY_UP, 0},        {'B', true, true, KEY_DOWN, 0},
    {'C', true, true, KEY_RIGHT, 0},     {'D', true, true, KEY_LEFT, 0},
    {'H', true, true, KEY_HOME, 0},      {'F', true, true, KEY_END, 0},
    {'E', true, true, KEY_CENTRE, 0},    {'G', true, false, KEY_CENTRE, 0},
    {'P', true, true, KEY_F1, 0},        {'Q', true, true, KEY_F2, 0},
    {'R', true, true, KEY_F3, 0},        {'S', true, true, KEY_F4, 0},
    {'a', true, false, KEY_UP, MOD_SHIFT},   {'b', true, false, KEY_DOWN, MOD_SHIFT},
    {'c', true, false, KEY_RIGHT, MOD_SHIFT}, {'d', true, false, KEY_LEFT, MOD_SHIFT},
    {'a', false, true, KEY_UP, MOD_CTRL},    {'b', false, true, KEY_DOWN, MOD_CTRL},
    {'c', false, true, KEY_RIGHT, MOD_CTRL}, {'d', false, true, KEY_LEFT, MOD_CTRL},
};

// Sequences ESC [ n ~ (VT220 style) by their number n.
struct NumberKey {
    int number;
    Key key;
};

constexpr NumberKey NUMBER_KEYS[] = {
    {1, KEY_HOME},  {2, KEY_INSERT}, {3, KEY_DELETE}, {4, KEY_END},  {5, KEY_PGUP},
    {6, KEY_PGDN},  {7, KEY_HOME},   {8, KEY_END},    {11, KEY_F1},  {12, KEY_F2},
    {13, KEY_F3},   {14, KEY_F4},    {15, KEY_F5},    {17, KEY_F6},  {18, KEY_F7},
    {19, KEY_F8},   {20, KEY_F9},    {21, KEY_F10},   {23, KEY_F11}, {24, KEY_F12},
};

// Endings of the numbered form: '~' takes ";m", rxvt's '$', '^' and '@' stand
// for Shift, Ctrl and Ctrl+Shift themselves.
struct NumberEnding {
    unsigned char final_byte;  // compared with input bytes, so unsigned like them
    int implied;
    bool takes_modifier;
};

constexpr NumberEnding NUMBER_ENDINGS[] = {
    {'~', 0, true},
    {'$', MOD_SHIFT, false},
    {'^', MOD_CTRL, false},
    {'@', MOD_CTRL | MOD_SHIFT, false},
};

// Linux console F1..F5: ESC [ [ A .. ESC [ [ E.
constexpr Key LINUX_FKEYS[] = {KEY_F1, KEY_F2, KEY_F3, KEY_F4, KEY_F5};

// Collects the keys one event completes.
struct Output {
    TranslatedKey *keys;
    int count;
};

void emit(Output &out, TranslatedKey key) {
    if (key.lead >= 0 && out.count < KEY_TRANSLATOR_MAX_KEYS) out.keys[out.count++] = key;
}

void emit_code(Output &out, int code) { emit(out, {code, -1}); }

// The first of Alt, Ctrl, Shift decides; Meta counts as Alt.
Column column_for(int modifiers) {
    if ((modifiers & (MOD_ALT | MOD_META)) != 0) return ALT;
    if ((modifiers & MOD_CTRL) != 0) return CTRL;
    if ((modifiers & MOD_SHIFT) != 0) return SHIFT;
    return PLAIN;
}

void emit_key(Output &out, Key key, int modifiers) {
    if (key == KEY_NONE) return;
    emit(out, KEY_CODES[key][column_for(modifiers)]);
}

// Modifier bits of a parameter m; -1 for a value no terminal sends.
int modifiers_of(int m) {
    if (m <= 1) return 0;  // absent or 1: no modifier
    if (m > 256) return -1;
    return m - 1;
}

void begin_sequence(KeyTranslator &t, bool ss3, bool alt) {
    t.state = SEQUENCE;
    t.ss3 = ss3;
    t.alt = alt;
    t.malformed = false;
    t.param_count = 0;
    t.params[0] = t.params[1] = 0;
}

void finish_letter(const KeyTranslator &t, char final_byte, Output &out) {
    // "1;m" or a lone "m" (older terminals) may precede the letter.
    int m = 0;
    if (t.param_count == 1) {
        m = t.params[0];
    } else if (t.param_count == 2) {
        if (t.params[0] > 1) return;
        m = t.params[1];
    }
    int modifiers = modifiers_of(m);
    if (modifiers < 0) return;
    for (const LetterKey &entry : LETTER_KEYS) {
        if (entry.final_byte != final_byte) continue;
        if (t.ss3 ? !entry.after_ss3 : !entry.after_csi) continue;
        emit_key(out, entry.key, modifiers | entry.implied | (t.alt ? MOD_ALT : 0));
        return;
    }
}

void finish_number(const KeyTranslator &t, const NumberEnding &ending, Output &out) {
    if (t.ss3 || t.param_count < 1) return;
    if (t.param_count == 2 && !ending.takes_modifier) return;
    int modifiers = modifiers_of(t.param_count == 2 ? t.params[1] : 0);
    if (modifiers < 0) return;
    for (const NumberKey &entry : NUMBER_KEYS) {
        if (entry.number != t.params[0]) continue;
        emit_key(out, entry.key, modifiers | ending.implied | (t.alt ? MOD_ALT : 0));
        return;
    }
}

void finish_sequence(KeyTranslator &t, unsigned char final_byte, Output &out) {
    t.state = GROUND;
    // A third parameter marks the sequence malformed: the finishers below
    // see at most two.
    if (t.malformed) return;
    INVARIANT(t.param_count <= 2);
    for (const NumberEnding &ending : NUMBER_ENDINGS) {
        if (ending.final_byte == final_byte) {
            finish_number(t, ending, out);
            return;
        }
    }
    finish_letter(t, static_cast<char>(final_byte), out);
}

template <std::size_t N>
bool among(const unsigned char (&bytes)[N], unsigned char byte) {
    return std::ranges::any_of(bytes, [byte](unsigned char listed) { return listed == byte; });
}

void begin_string(KeyTranslator &t, unsigned char introducer) {
    t.state = STRING_START;
    t.introducer = introducer;
    t.bytes_left = KEY_TRANSLATOR_STRING_MAX;
}

// A byte taken as the start of a key.
void take_fresh(KeyTranslator &t, unsigned char byte, Output &out) {
    t.state = GROUND;
    t.alt = false;
    if (byte == 0) return;  // Ctrl+Space: a code 0 would pose as a lead code
    if (byte == ESC) {
        t.state = ESCAPE;
        return;
    }
    if (byte == 127 || byte == 8) {
        emit_code(out, 8);  // Backspace, whichever byte the terminal sends
        return;
    }
    if (byte < 128) {
        emit_code(out, byte);
        return;
    }
    // UTF-8 lead bytes; the ranges keep out overlong forms and surrogates.
    t.utf8_low = 0x80;
    t.utf8_high = 0xBF;
    if (byte >= 0xC2 && byte <= 0xDF) {
        t.utf8_left = 1;
        t.code_point = byte & 0x1FU;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        t.utf8_left = 2;
        t.code_point = byte & 0x0FU;
        if (byte == 0xE0) t.utf8_low = 0xA0;
        if (byte == 0xED) t.utf8_high = 0x9F;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        t.utf8_left = 3;
        t.code_point = byte & 0x07U;
        if (byte == 0xF0) t.utf8_low = 0x90;
        if (byte == 0xF4) t.utf8_high = 0x8F;
    } else {
        return;  // a stray continuation byte or a byte UTF-8 never uses
    }
    t.state = UTF8;
}

void take_utf8(KeyTranslator &t, unsigned char byte, Output &out) {
    if (byte < t.utf8_low || byte > t.utf8_high) {
        take_fresh(t, byte, out);  // the character is cut off: no code
        return;
    }
    t.code_point = (t.code_point << 6) | (byte & 0x3FU);
    t.utf8_low = 0x80;
    t.utf8_high = 0xBF;
    if (--t.utf8_left > 0) return;
    t.state = GROUND;
    int code = cp437_from_unicode(t.code_point);
    if (code >= 0) emit_code(out, code);
}

void take_sequence_byte(KeyTranslator &t, unsigned char byte, Output &out) {
    if (byte >= '0' && byte <= '9') {
        if (t.param_count == 0) t.param_count = 1;
        if (t.param_count <= 2) {
            int &param = t.params[t.param_count - 1];
            param = param * 10 + (byte - '0');
            if (param > PARAM_CAP) param = PARAM_CAP;
        }
        return;
    }
    if (byte == ';') {
        if (t.param_count == 0) t.param_count = 1;
        if (t.param_count < 3) ++t.param_count;
        if (t.param_count > 2) t.malformed = true;
        return;
    }
    if (byte == '[' && !t.ss3 && t.param_count == 0 && !t.malformed) {
        t.state = LINUX_FKEY;
        return;
    }
    if (byte == 'M' && !t.ss3 && t.param_count == 0 && !t.malformed) {
        t.state = MOUSE;  // X10 mouse report: three raw bytes follow
        t.bytes_left = MOUSE_REPORT_BYTES;
        return;
    }
    // '$' ends only rxvt's "ESC [ n $"; anywhere else it is an intermediate
    // byte (as in a mode report "ESC [ 1 ; 2 $ y"), and the sequence runs on
    // to its final byte, which must not arrive as a key.
    if ((byte == '$' && !t.ss3 && t.param_count == 1 && !t.malformed) ||
        (byte >= 0x40 && byte <= 0x7E)) {
        finish_sequence(t, byte, out);
        return;
    }
    if (byte >= 0x20 && byte <= 0x3F) {
        // Sub-parameters, private markers and intermediate bytes: reports and
        // extended forms, not keys this console knows.
        t.malformed = true;
        return;
    }
    take_fresh(t, byte, out);  // a control byte, DEL or a byte of 128 or more
}

void take_linux_fkey(KeyTranslator &t, unsigned char byte, Output &out) {
    if (byte < 0x20 || byte > 0x7E) {
        take_fresh(t, byte, out);
        return;
    }
    t.state = GROUND;
    if (byte >= 'A' && byte <= 'E') emit_key(out, LINUX_FKEYS[byte - 'A'], t.alt ? MOD_ALT : 0);
}

void take_mouse(KeyTranslator &t, unsigned char byte, Output &out) {
    if (byte < 0x20) {
        take_fresh(t, byte, out);  // no report byte: the report is cut off
        return;
    }
    if (--t.bytes_left == 0) t.state = GROUND;
}

// The payload is swallowed whatever its bytes (C0 controls and UTF-8
// included) up to BEL, CAN, SUB or an ESC, or past the bound.
void take_string(KeyTranslator &t, unsigned char byte, Output &out) {
    if (among(STRING_ENDINGS, byte)) {
        t.state = GROUND;
    } else if (byte == ESC) {
        t.state = STRING_ESCAPE;
    } else if (t.bytes_left == 0) {
        take_fresh(t, byte, out);  // no terminator in sight: drop the string
    } else {
        t.state = STRING;
        --t.bytes_left;
    }
}

void take_escape(KeyTranslator &t, unsigned char byte, Output &out) {
    if (byte == '[' || byte == 'O') {
        begin_sequence(t, byte == 'O', false);
    } else if (byte == ESC) {
        t.state = ESCAPE_ESCAPE;
    } else if (among(STRING_INTRODUCERS, byte)) {
        begin_string(t, byte);
    } else {
        // Alt with a key: the key's own code.
        take_fresh(t, byte, out);
    }
}

void take_byte(KeyTranslator &t, unsigned char byte, Output &out) {
    switch (t.state) {
    case ESCAPE:
        take_escape(t, byte, out);
        return;
    case ESCAPE_ESCAPE:
        if (byte == '[' || byte == 'O') {
            begin_sequence(t, byte == 'O', true);
            return;
        }
        // Alt+Esc (or Esc, then Alt with a key: the same codes), or Esc and
        // a string.
        emit_code(out, ESC);
        if (among(STRING_INTRODUCERS, byte)) {
            begin_string(t, byte);
        } else {
            take_fresh(t, byte, out);
        }
        return;
    case STRING_START:
    case STRING:
        take_string(t, byte, out);
        return;
    case STRING_ESCAPE:
        if (byte == STRING_TERMINATOR_FINAL) {
            t.state = GROUND;  // ST
            return;
        }
        // The ESC cut the string off: it counts as if it came first.
        take_escape(t, byte, out);
        return;
    case MOUSE:
        take_mouse(t, byte, out);
        return;
    case SEQUENCE:
        take_sequence_byte(t, byte, out);
        return;
    case LINUX_FKEY:
        take_linux_fkey(t, byte, out);
        return;
    case UTF8:
        take_utf8(t, byte, out);
        return;
    default:
        take_fresh(t, byte, out);
        return;
    }
}

}  // namespace

void key_translator_reset(KeyTranslator &translator) {
    translator = KeyTranslator{};
    translator.state = GROUND;
}

int key_translator_feed(KeyTranslator &translator, unsigned char byte,
                        TranslatedKey (&keys)[KEY_TRANSLATOR_MAX_KEYS]) {
    Output out = {keys, 0};
    take_byte(translator, byte, out);
    return out.count;
}

bool key_translator_incomplete(const KeyTranslator &translator) {
    return translator.state != GROUND && translator.state != STRING;
}

int key_translator_timeout(KeyTranslator &translator,
                           TranslatedKey (&keys)[KEY_TRANSLATOR_MAX_KEYS]) {
    Output out = {keys, 0};
    if (translator.state == STRING) return 0;  // a pause inside a reply: it goes on
    if (translator.state == ESCAPE || translator.state == ESCAPE_ESCAPE) emit_code(out, ESC);
    // No payload yet: a user typed Alt with the key.
    if (translator.state == STRING_START) emit_code(out, translator.introducer);
    key_translator_reset(translator);
    return out.count;
}
