// The console operations proper: the pending second code of a two-code key,
// echo, and formatting. The device underneath moves the bytes.
#include "console/console.h"

#include <cstdarg>
#include <cstdio>

#include "console/console_device.h"

namespace {

// Second code of the last two-code key, -1 when empty. Shared by both reads.
int pending_code = -1;

// Chosen by the program (or a test) before the first console operation.
const ConsoleDevice *device = nullptr;

// Long enough for every text the program formats; longer text is cut.
constexpr int FORMAT_BUFFER_SIZE = 512;

__attribute__((format(printf, 2, 0))) int format_text(char (&buffer)[FORMAT_BUFFER_SIZE], const char *format,
                                                      std::va_list args) {
    // Both callers start args with va_start; the analyzer, looking at this
    // function on its own, takes it for uninitialized.
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
    int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (length < 0) return 0;
    return length < FORMAT_BUFFER_SIZE ? length : FORMAT_BUFFER_SIZE - 1;
}

}  // namespace

int console_read_key() {
    if (pending_code != -1) {
        int code = pending_code;
        pending_code = -1;
        return code;
    }
    int second = -1;
    int code = device->read_key(&second);
    if (code != -1) pending_code = second;
    return code;
}

int console_read_key_echo() {
    if (pending_code != -1) return console_read_key();
    int code = console_read_key();
    if (code == -1) return -1;
    if (console_put_char(code) == -1) return -1;
    return code;
}

int console_put_char(int ch) {
    return device->put_char(static_cast<unsigned char>(ch & 0xFF));
}

int console_print(const char *format, ...) {
    char buffer[FORMAT_BUFFER_SIZE];
    std::va_list args;
    va_start(args, format);
    int length = format_text(buffer, format, args);
    va_end(args);
    // "%c" with 0 puts a zero byte in the text, so count, never scan for it.
    for (int i = 0; i < length; ++i) {
        if (console_put_char(buffer[i]) == -1) return -1;
    }
    return length;
}

int stdout_print(const char *format, ...) {
    char buffer[FORMAT_BUFFER_SIZE];
    std::va_list args;
    va_start(args, format);
    int length = format_text(buffer, format, args);
    va_end(args);
    return device->stdout_write(buffer, length);
}

int to_lower(int code) {
    return code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : code;
}

void console_use_device(const ConsoleDevice &chosen) { device = &chosen; }

void console_close() {
    device->close();
    pending_code = -1;
}
