#include "scripted_console.h"

#include <csetjmp>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <vector>

#include "console/console.h"
#include "console/console_device.h"
#include "dialogue/main_sequence.h"
#include "lattice/lattice.h"

namespace scripted {
namespace {

// The device the console operations run on in the tests.
class ScriptedDevice : public ConsoleDevice {
public:
    int read_key(int *second) override;
    int put_char(unsigned char byte) override;
    int stdout_write(const char *text, int length) override;
    void close() override {}
};

ScriptedDevice device;
std::optional<Console> the_console;
// One object for the whole run, made anew by each start, so that a reference
// to it stays good.
Lattice the_lattice;

struct Key {
    int lead;
    int second;
};

std::vector<Key> script;
std::size_t next_key = 0;
std::string console_out;
std::string standard_out;
// Call-order record: channel of each byte ('c' console, 'o' standard output).
std::string both_bytes;
std::string both_channels;
bool console_fails = false;

std::jmp_buf *out_of_keys = nullptr;

std::vector<Key> parse(std::string_view keys) {
    std::vector<Key> parsed;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(keys[i]);
        if (c != '{') {
            parsed.push_back({c, -1});
            continue;
        }
        if (i + 1 < keys.size() && keys[i + 1] == '{') {
            parsed.push_back({'{', -1});
            ++i;
            continue;
        }
        int lead = 0, second = 0;
        int used = 0;
        std::string rest(keys.substr(i));
        if (std::sscanf(rest.c_str(), "{%d,%d}%n", &lead, &second, &used) != 2 || used == 0)
            throw std::invalid_argument("bad two-code key in script: " + rest);
        parsed.push_back({lead, second});
        i += static_cast<std::size_t>(used) - 1;
    }
    return parsed;
}

void record(char channel, const char *bytes, int length) {
    for (int i = 0; i < length; ++i) {
        both_bytes.push_back(bytes[i]);
        both_channels.push_back(channel);
    }
}

}  // namespace

void start(std::string_view keys) {
    // A new console: no code pending from an earlier script.
    the_console.emplace(device);
    the_lattice = Lattice();
    script = parse(keys);
    next_key = 0;
    console_out.clear();
    standard_out.clear();
    both_bytes.clear();
    both_channels.clear();
    console_fails = false;
}

Console &console() { return *the_console; }
Lattice &lattice() { return the_lattice; }

bool run(const std::function<void()> &fn) {
    std::jmp_buf here;
    std::jmp_buf *outer = out_of_keys;
    out_of_keys = &here;
    if (setjmp(here) != 0) {
        out_of_keys = outer;
        return false;
    }
    fn();
    out_of_keys = outer;
    return true;
}

int run_program(const SequenceHooks &hooks) {
    int status = 0;
    if (!run([&] { status = run_main_sequence(console(), lattice(), hooks); })) return 2;
    return status;
}

int run_program() { return run_program(SequenceHooks{nullptr, nullptr, nullptr}); }

int keys_left() { return static_cast<int>(script.size() - next_key); }

const std::string &console_bytes() { return console_out; }
const std::string &stdout_bytes() { return standard_out; }

std::string render(std::string_view bytes) {
    std::string text;
    for (char ch : bytes) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c == '\\') {
            text += "\\\\";
        } else if (c == '\n' || (c >= 32 && c < 127)) {
            text += ch;
        } else if (c == 8) {
            text += "\\b";
        } else if (c == 13) {
            text += "\\r";
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            text += hex;
        }
    }
    return text;
}

std::string transcript() {
    std::string text;
    std::size_t i = 0;
    while (i < both_bytes.size()) {
        std::size_t j = i;
        while (j < both_bytes.size() && both_channels[j] == both_channels[i]) ++j;
        std::string piece = render(std::string_view(both_bytes).substr(i, j - i));
        text += both_channels[i] == 'o' ? "\u00AB" + piece + "\u00BB" : piece;
        i = j;
    }
    return text;
}

void fail_console_output(bool fail) { console_fails = fail; }

namespace {

int ScriptedDevice::read_key(int *second) {
    if (next_key >= script.size()) {
        if (out_of_keys != nullptr) std::longjmp(*out_of_keys, 1);
        *second = -1;
        return -1;
    }
    Key key = script[next_key++];
    *second = key.second;
    return key.lead;
}

int ScriptedDevice::put_char(unsigned char byte) {
    if (console_fails) return -1;
    char c = static_cast<char>(byte);
    console_out.push_back(c);
    record('c', &c, 1);
    return byte;
}

int ScriptedDevice::stdout_write(const char *text, int length) {
    standard_out.append(text, static_cast<std::size_t>(length));
    record('o', text, length);
    return length;
}

}  // namespace
}  // namespace scripted
