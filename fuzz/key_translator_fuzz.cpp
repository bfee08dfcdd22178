// Fuzzes the key translator with arbitrary terminal bytes and silences.
//
// Input: the first byte is the silence marker; every later byte equal to it
// stands for a pause longer than the ESC wait, every other byte is fed as
// it is. The end of the input is a pause too.
//
// The translator is checked against a model of how terminals frame their
// input, written from the terminal references rather than from the
// translator: plain bytes, UTF-8 characters, ESC, and escape sequences ESC [
// or ESC O, parameter and intermediate bytes, then a final byte (rxvt's
// "ESC [ digits $", the Linux console's "ESC [ [ X"); X10 mouse reports
// (ESC [ M and three bytes of 32..255); strings (ESC ], ESC P, ESC X, ESC ^,
// ESC _, a payload, then BEL or ESC \; CAN or SUB cancels, another ESC cuts
// off, the bound drops). Outside sequences every key is known exactly; at the
// final byte of a sequence at most one key arrives and it is one the key
// tables list; no other byte of a sequence, report or string ever arrives as
// a key. A pause right after a string's introducer is Alt with that key; a
// pause in the payload changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/cp437.h"
#include "console/key_translator.h"

namespace {

[[noreturn]] void fail(const char *what, std::size_t at) {
    std::fprintf(stderr, "key translator: %s (input byte %zu)\n", what, at);
    std::abort();
}

// The keys a terminal sequence may give: every two-code key of the key
// tables, and the digits that Shift with a movement key gives.
bool listed_key(TranslatedKey key) {
    if (key.second < 0) {
        return key.lead >= '1' && key.lead <= '9' && key.lead != '5';
    }
    if (key.lead == 224) return key.second >= 133 && key.second <= 140;
    if (key.lead != 0) return false;
    int s = key.second;
    if (s >= 59 && s <= 68) return true;    // F1..F10
    if (s >= 84 && s <= 113) return true;   // F1..F10 with Shift, Ctrl, Alt
    static const int movement[] = {
        71, 72, 73, 75, 77, 79, 80, 81, 82, 83,            // plain
        119, 141, 132, 115, 116, 117, 145, 118, 146, 147,  // Ctrl
        151, 152, 153, 155, 157, 159, 160, 161, 162, 163,  // Alt
    };
    for (int m : movement) {
        if (s == m) return true;
    }
    return false;
}

// Code page 437 byte of each multi-byte UTF-8 character it can show, from
// the glyphs the console draws (the first byte when two share one).
struct Glyph {
    char text[CP437_UTF8_MAX];
    int length;
};
Glyph glyphs[256];

void load_glyphs() {
    for (int byte = 0; byte < 256; ++byte) {
        glyphs[byte].length = cp437_to_utf8(static_cast<unsigned char>(byte), glyphs[byte].text);
    }
}

int glyph_byte(const unsigned char *text, int length) {
    // 0, 8, 10 and 13 draw as blank and controls: no typed character gives them.
    for (int byte = 1; byte < 256; ++byte) {
        if (byte == 8 || byte == 10 || byte == 13) continue;
        if (glyphs[byte].length == length && std::memcmp(glyphs[byte].text, text, static_cast<std::size_t>(length)) == 0)
            return byte;
    }
    return -1;
}

// What one event must give: exact keys, or (at the end of a sequence) none or
// one listed key.
struct Expected {
    bool sequence_end = false;
    TranslatedKey keys[4];
    int count = 0;
    void add(int lead, int second = -1) {
        if (count < 4) keys[count++] = {lead, second};
    }
};

enum class Frame { GROUND, ESC, ESC_ESC, SEQUENCE, LINUX_FKEY, UTF8, MOUSE, INTRODUCED, PAYLOAD, PAYLOAD_ESC };

bool introduces_string(unsigned char byte) {
    return byte == ']' || byte == 'P' || byte == 'X' || byte == '^' || byte == '_';
}

struct Model {
    Frame frame = Frame::GROUND;
    bool csi = false;          // ESC [ rather than ESC O
    bool digits_only = true;   // the sequence's bytes so far are digits
    int length = 0;            // bytes after ESC [ or ESC O
    unsigned char utf8[4] = {};
    int utf8_length = 0;
    int utf8_needed = 0;
    int mouse_bytes = 0;       // bytes of a mouse report so far
    unsigned char introducer = 0;
    int payload = 0;           // bytes of a string's payload so far
};

void fresh(Model &m, unsigned char byte, Expected &e) {
    m.frame = Frame::GROUND;
    if (byte == 0) return;  // Ctrl+Space gives nothing
    if (byte == 27) {
        m.frame = Frame::ESC;
        return;
    }
    if (byte == 127 || byte == 8) {
        e.add(8);
        return;
    }
    if (byte < 0x80) {
        e.add(byte);
        return;
    }
    int needed = 0;
    if (byte >= 0xC2 && byte <= 0xDF) needed = 1;
    else if (byte >= 0xE0 && byte <= 0xEF) needed = 2;
    else if (byte >= 0xF0 && byte <= 0xF4) needed = 3;
    if (needed == 0) return;  // never a UTF-8 lead byte
    m.frame = Frame::UTF8;
    m.utf8[0] = byte;
    m.utf8_length = 1;
    m.utf8_needed = needed;
}

// Well-formed UTF-8: the second byte's range depends on the lead byte.
bool continues_utf8(const Model &m, unsigned char byte) {
    if (m.utf8_length == 1) {
        switch (m.utf8[0]) {
        case 0xE0: return byte >= 0xA0 && byte <= 0xBF;
        case 0xED: return byte >= 0x80 && byte <= 0x9F;
        case 0xF0: return byte >= 0x90 && byte <= 0xBF;
        case 0xF4: return byte >= 0x80 && byte <= 0x8F;
        default: break;
        }
    }
    return byte >= 0x80 && byte <= 0xBF;
}

void start_sequence(Model &m, bool csi) {
    m.frame = Frame::SEQUENCE;
    m.csi = csi;
    m.digits_only = true;
    m.length = 0;
}

void end_sequence(Model &m, Expected &e) {
    m.frame = Frame::GROUND;
    e.sequence_end = true;
}

void start_string(Model &m, unsigned char introducer) {
    m.frame = Frame::INTRODUCED;
    m.introducer = introducer;
    m.payload = 0;
}

void after_escape(Model &m, unsigned char byte, Expected &e) {
    if (byte == '[' || byte == 'O') start_sequence(m, byte == '[');
    else if (byte == 27) m.frame = Frame::ESC_ESC;
    else if (introduces_string(byte)) start_string(m, byte);
    else fresh(m, byte, e);  // Alt with a key: the key
}

void model_byte(Model &m, unsigned char byte, Expected &e) {
    switch (m.frame) {
    case Frame::GROUND:
        fresh(m, byte, e);
        return;
    case Frame::ESC:
        after_escape(m, byte, e);
        return;
    case Frame::ESC_ESC:
        if (byte == '[' || byte == 'O') {
            start_sequence(m, byte == '[');
        } else if (introduces_string(byte)) {
            e.add(27);
            start_string(m, byte);
        } else {
            e.add(27);
            fresh(m, byte, e);
        }
        return;
    case Frame::INTRODUCED:
    case Frame::PAYLOAD:
        if (byte == 7 || byte == 24 || byte == 26) {
            m.frame = Frame::GROUND;  // BEL ends, CAN and SUB cancel: no key
        } else if (byte == 27) {
            m.frame = Frame::PAYLOAD_ESC;
        } else if (m.payload == KEY_TRANSLATOR_STRING_MAX) {
            fresh(m, byte, e);  // past the bound: dropped
        } else {
            m.frame = Frame::PAYLOAD;
            ++m.payload;
        }
        return;
    case Frame::PAYLOAD_ESC:
        if (byte == '\\') m.frame = Frame::GROUND;  // ST
        else after_escape(m, byte, e);
        return;
    case Frame::MOUSE:
        if (byte < 0x20) {
            fresh(m, byte, e);
        } else if (++m.mouse_bytes == 3) {
            m.frame = Frame::GROUND;
        }
        return;
    case Frame::SEQUENCE:
        if (byte >= 0x20 && byte <= 0x3F) {
            if (byte == '$' && m.csi && m.digits_only && m.length > 0) {
                end_sequence(m, e);  // rxvt: ESC [ n $
                return;
            }
            if (byte < '0' || byte > '9') m.digits_only = false;
            ++m.length;
            return;
        }
        if (byte == '[' && m.csi && m.length == 0) {
            m.frame = Frame::LINUX_FKEY;
            return;
        }
        if (byte == 'M' && m.csi && m.length == 0) {
            m.frame = Frame::MOUSE;
            m.mouse_bytes = 0;
            return;
        }
        if (byte >= 0x40 && byte <= 0x7E) {
            end_sequence(m, e);
            return;
        }
        fresh(m, byte, e);  // cut off by a control byte, DEL or a high byte
        return;
    case Frame::LINUX_FKEY:
        if (byte >= 0x20 && byte <= 0x7E) end_sequence(m, e);
        else fresh(m, byte, e);
        return;
    case Frame::UTF8:
        if (!continues_utf8(m, byte)) {
            fresh(m, byte, e);  // the character is cut off: nothing for it
            return;
        }
        m.utf8[m.utf8_length++] = byte;
        if (m.utf8_length <= m.utf8_needed) return;
        m.frame = Frame::GROUND;
        {
            int code = glyph_byte(m.utf8, m.utf8_length);
            if (code >= 0) e.add(code);
        }
        return;
    }
}

void model_pause(Model &m, Expected &e) {
    if (m.frame == Frame::PAYLOAD) return;
    if (m.frame == Frame::ESC || m.frame == Frame::ESC_ESC) e.add(27);
    if (m.frame == Frame::INTRODUCED) e.add(m.introducer);
    m.frame = Frame::GROUND;
}

// Only where a pause changes something does the device wait with a limit.
bool model_waits(const Model &m) { return m.frame != Frame::GROUND && m.frame != Frame::PAYLOAD; }

void check_key(TranslatedKey key, std::size_t at) {
    if (key.lead < 0 || key.lead > 255) fail("code outside 0..255", at);
    if (key.second < -1 || key.second > 255) fail("second code outside 0..255", at);
    if (key.second >= 0 && key.lead != 0 && key.lead != 224) fail("two-code key without lead 0 or 224", at);
    // A one-code 0 would be taken for the lead of a two-code key.
    if (key.second < 0 && key.lead == 0) fail("one-code key 0", at);
}

void compare(const Expected &e, const TranslatedKey *keys, int count, std::size_t at) {
    if (count < 0 || count > KEY_TRANSLATOR_MAX_KEYS) fail("key count out of range", at);
    for (int i = 0; i < count; ++i) check_key(keys[i], at);
    if (e.sequence_end) {
        if (count > 1) fail("a sequence gave more than one key", at);
        if (count == 1 && !listed_key(keys[0])) fail("a sequence gave a key no table lists", at);
        return;
    }
    if (count != e.count) {
        std::fprintf(stderr, "expected %d keys, got %d\n", e.count, count);
        fail("wrong number of keys", at);
    }
    for (int i = 0; i < count; ++i) {
        if (keys[i].lead != e.keys[i].lead || keys[i].second != e.keys[i].second) {
            std::fprintf(stderr, "expected %d,%d got %d,%d\n", e.keys[i].lead, e.keys[i].second,
                         keys[i].lead, keys[i].second);
            fail("wrong key", at);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static bool ready = false;
    if (!ready) {
        load_glyphs();
        ready = true;
    }
    if (size == 0) return 0;
    const std::uint8_t pause = data[0];
    KeyTranslator translator;
    key_translator_reset(translator);
    Model model;
    TranslatedKey keys[KEY_TRANSLATOR_MAX_KEYS];
    for (std::size_t i = 1; i <= size; ++i) {
        Expected expected;
        int count = 0;
        if (i == size || data[i] == pause) {
            model_pause(model, expected);
            count = key_translator_timeout(translator, keys);
        } else {
            model_byte(model, data[i], expected);
            count = key_translator_feed(translator, data[i], keys);
        }
        compare(expected, keys, count, i);
        if (key_translator_incomplete(translator) != model_waits(model))
            fail(model_waits(model) ? "complete where a pause still counts"
                                    : "waits for a pause that changes nothing",
                 i);
    }
    return 0;
}
