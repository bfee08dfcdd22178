#include "fuzz_console.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <optional>

#include "console/console_device.h"

namespace {

// The device the console operations run on, fed from the fuzz input.
class FuzzDevice : public ConsoleDevice {
public:
    int read_key(int *second) override;
    int put_char(unsigned char byte) override;
    int stdout_write(const char *text, int length) override;
    void close() override {}
};

FuzzDevice device;
std::optional<Console> the_console;

}  // namespace

namespace fuzz_console {
namespace {

struct Key {
    int lead;
    int second;  // -1 for a one-code key
};

// What a byte of the input means: mostly the keys the dialogue reacts to.
// The three highest byte values take the next byte as a raw key instead: a
// one-code key, or the second code of a key with lead 0 (0xFE) or 224.
// fuzz/make_seeds.py encodes keys the same way.
constexpr std::uint8_t RAW_ONE_CODE = 0xFD;
constexpr std::uint8_t RAW_LEAD_224 = 0xFF;

Key key_of_byte[256];

void build_key_table() {
    static const char few_names[] = "abc12de";
    static const char all_names[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    // Navigation: the movement keys' second codes, with lead 0 and 224.
    static const int movement[] = {71, 72, 73, 75, 77, 79, 80, 81, 82, 83};
    int b = 0;
    auto put = [&b](int lead, int second, int times) {
        for (int i = 0; i < times && b < RAW_ONE_CODE; ++i) key_of_byte[b++] = {lead, second};
    };
    for (int i = 0; i < 7; ++i) put(few_names[i], -1, 8);       // 56
    for (int i = 0; i < 62; ++i) put(all_names[i], -1, 1);      // 62
    put(' ', -1, 20);
    put(13, -1, 20);
    put('y', -1, 12);
    put('Y', -1, 3);
    put('n', -1, 6);
    for (const char *action = "hjlmt"; *action != 0; ++action) put(*action, -1, 3);
    put('q', -1, 2);
    for (int code : movement) put(0, code, 1);
    for (int code : movement) put(224, code, 1);
    put(0, 141, 1);   // Ctrl+Up
    put(0, 145, 1);   // Ctrl+Down
    put(0, 152, 1);   // Alt+Up
    put(0, 59, 1);    // F1
    put(224, 133, 1); // F11
    put('<', -1, 2);
    put(8, -1, 2);
    put(27, -1, 2);
    put(3, -1, 1);
    put(224, -1, 1);  // a typed alpha: the one-code key 224
    while (b < RAW_ONE_CODE) put('1' + b % 9, -1, 1);  // shifted arrows
}

const std::uint8_t *input = nullptr;
std::size_t input_size = 0;
std::size_t next_byte = 0;
int fallback = -1;
long fallback_fed = 0;
int banner_count = 0;
long console_count = 0;
long answer_count = 0;
int offer_count = 0;
// The last console bytes, to spot the answers to questions: a ring whose
// next write goes to recent[recent_end % 16].
char recent[16] = {};
unsigned recent_end = 0;
void (*key_observer)() = nullptr;
// FREELATTICE_FUZZ_SHOW=1 shows both channels on standard error, to follow
// a run that failed.
bool show = false;

// More fallback keys than any run to q can need: the program is looping.
constexpr long FALLBACK_LIMIT = 100000;

[[noreturn]] void fail(const char *what) {
    std::fprintf(stderr, "fuzz console: %s\n", what);
    std::abort();
}

Key next_key() {
    if (next_byte >= input_size) {
        if (fallback < 0) fail("a key was read where no phase reads one");
        if (++fallback_fed > FALLBACK_LIMIT) fail("the program keeps asking for keys");
        return {fallback, -1};
    }
    std::uint8_t b = input[next_byte++];
    if (b < RAW_ONE_CODE) return key_of_byte[b];
    int code = next_byte < input_size ? input[next_byte++] : 'x';
    if (b == RAW_ONE_CODE) {
        // A terminal never delivers a one-code 0: it would pose as a lead.
        return {code == 0 ? 'x' : code, -1};
    }
    if (b == RAW_LEAD_224) return {224, code};
    return {0, code};
}

}  // namespace

void start(const std::uint8_t *data, std::size_t size) {
    static bool ready = false;
    if (!ready) {
        build_key_table();
        const char *setting = std::getenv("FREELATTICE_FUZZ_SHOW");
        show = setting != nullptr && setting[0] == '1';
        ready = true;
    }
    // A new console: no code left pending by the last run.
    the_console.emplace(device);
    input = data;
    input_size = size;
    next_byte = 0;
    fallback = -1;
    fallback_fed = 0;
    banner_count = 0;
    console_count = 0;
    answer_count = 0;
    offer_count = 0;
    std::memset(recent, 0, sizeof recent);
    recent_end = 0;
    key_observer = nullptr;
}

void set_fallback_key(int code) { fallback = code; }
void set_key_observer(void (*observer)()) { key_observer = observer; }
Console &console() { return *the_console; }

int banners_printed() { return banner_count; }
long console_bytes() { return console_count; }
long answers_shown() { return answer_count; }
int law_offers_shown() { return offer_count; }

namespace {

// Plain loops, no memcmp, strlen or memmove: the hooks of the fuzzer and
// the sanitizers would make every console byte costly.
template <std::size_t N>
bool recent_ends_with(const char (&text)[N]) {
    static_assert(N - 1 <= sizeof recent, "longer than the bytes kept");
    for (std::size_t i = 1; i < N; ++i) {
        if (recent[(recent_end - i) % sizeof recent] != text[N - 1 - i]) return false;
    }
    return true;
}

}  // namespace

}  // namespace fuzz_console

namespace {

int FuzzDevice::read_key(int *second) {
    using namespace fuzz_console;
    if (key_observer != nullptr) key_observer();
    Key key = next_key();
    *second = key.second;
    return key.lead;
}

int FuzzDevice::put_char(unsigned char byte) {
    using namespace fuzz_console;
    ++console_count;
    recent[recent_end++ % sizeof recent] = static_cast<char>(byte);
    // Both answers end in 'd': most bytes need no comparison.
    if (byte == 'd' && (recent_ends_with("  YES, defined") || recent_ends_with("  NO, undefined"))) ++answer_count;
    if (show) std::fputc(byte, stderr);
    return byte;
}

bool starts_with(const char *text, int length, const char *prefix) {
    int i = 0;
    for (; prefix[i] != 0; ++i) {
        if (i >= length || text[i] != prefix[i]) return false;
    }
    return true;
}

int FuzzDevice::stdout_write(const char *text, int length) {
    if (starts_with(text, length, "PROGRAM FOR BUILDING FREE LATTICE")) ++fuzz_console::banner_count;
    if (starts_with(text, length, "\nTHIS POSET IS A LATTICE.")) ++fuzz_console::offer_count;
    if (fuzz_console::show) std::fwrite(text, 1, static_cast<std::size_t>(length), stderr);
    return length;
}

}  // namespace
