#include "presentation/argument_errors.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// A 10 MB term is not worth repeating whole to point at its fault.
constexpr std::size_t SHOWN_LENGTH = 60;

bool printable(unsigned char c) { return c >= 32 && c < 127; }

// The value on standard error, cut short after SHOWN_LENGTH characters.
void put_shown(std::string_view value) {
    std::size_t shown = value.size() > SHOWN_LENGTH ? SHOWN_LENGTH - 3 : value.size();
    for (std::size_t i = 0; i < shown; ++i) {
        auto c = static_cast<unsigned char>(value[i]);
        // Never a raw control byte on a terminal's standard error.
        if (printable(c)) {
            (void)std::fputc(c, stderr);
        } else {
            (void)std::fprintf(stderr, "\\x%02X", c);
        }
    }
    if (shown < value.size()) (void)std::fputs("...", stderr);
}

}  // namespace

void argument_error(const char *option, std::string_view value, const char *reason, ...) {
    // The reason first, so that the whole message leaves in order.
    char because[256];
    va_list arguments;
    va_start(arguments, reason);
    // Started just above; the analyzer of this clang takes it for
    // uninitialized all the same.
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
    (void)std::vsnprintf(because, sizeof because, reason, arguments);
    va_end(arguments);
    (void)std::fprintf(stderr, "freelattice: %s '", option);
    put_shown(value);
    (void)std::fprintf(stderr, "': %s\n", because);
}

void file_error(const char *doing, std::string_view file, int error) {
    (void)std::fprintf(stderr, "freelattice: cannot %s ", doing);
    put_shown(file);
    (void)std::fprintf(stderr, ": %s\n", std::strerror(error));
}

void line_error(std::string_view file, std::size_t line, const char *reason, ...) {
    char because[256];
    va_list arguments;
    va_start(arguments, reason);
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
    (void)std::vsnprintf(because, sizeof because, reason, arguments);
    va_end(arguments);
    (void)std::fputs("freelattice: ", stderr);
    put_shown(file);
    (void)std::fprintf(stderr, ":%zu: %s\n", line, because);
}

const char *shown_character(unsigned char c, char (&text)[12]) {
    if (printable(c)) {
        (void)std::snprintf(text, sizeof text, "'%c'", c);
    } else {
        (void)std::snprintf(text, sizeof text, "byte 0x%02X", c);
    }
    return text;
}
