// The console operations proper: the pending second code of a two-code key,
// echo, and formatting. The device underneath moves the bytes.
#include "console/console.h"

#include <cstdarg>
#include <cstdio>

namespace {

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

int Console::read_key() {
    if (pending_code_ != -1) {
        int code = pending_code_;
        pending_code_ = -1;
        return code;
    }
    int second = -1;
    int code = device_.read_key(&second);
    if (code != -1) pending_code_ = second;
    return code;
}

int Console::read_key_echo() {
    if (pending_code_ != -1) return read_key();
    int code = read_key();
    if (code == -1) return -1;
    if (put_char(code) == -1) return -1;
    return code;
}

int Console::put_char(int ch) {
    return device_.put_char(static_cast<unsigned char>(ch & 0xFF));
}

int Console::print(const char *format, ...) {
    char buffer[FORMAT_BUFFER_SIZE];
    std::va_list args;
    va_start(args, format);
    int length = format_text(buffer, format, args);
    va_end(args);
    // "%c" with 0 puts a zero byte in the text, so count, never scan for it.
    for (int i = 0; i < length; ++i) {
        if (put_char(buffer[i]) == -1) return -1;
    }
    return length;
}

int Console::stdout_print(const char *format, ...) {
    char buffer[FORMAT_BUFFER_SIZE];
    std::va_list args;
    va_start(args, format);
    int length = format_text(buffer, format, args);
    va_end(args);
    return device_.stdout_write(buffer, length);
}

int to_lower(int code) {
    return code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : code;
}

void Console::close() {
    device_.close();
    pending_code_ = -1;
}
