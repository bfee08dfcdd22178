#include "presentation/argument_errors.h"

#include <cstdarg>
#include <cstdio>

namespace {

// A 10 MB term is not worth repeating whole to point at its fault.
constexpr std::size_t SHOWN_LENGTH = 60;

bool printable(unsigned char c) { return c >= 32 && c < 127; }

}  // namespace

void argument_error(const char *option, std::string_view value, const char *reason, ...) {
    (void)std::fprintf(stderr, "freelattice: %s '", option);
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
    (void)std::fputs("': ", stderr);
    va_list arguments;
    va_start(arguments, reason);
    // Started just above; the analyzer loses track of it on the path that
    // skips the loop.
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
    (void)std::vfprintf(stderr, reason, arguments);
    va_end(arguments);
    (void)std::fputc('\n', stderr);
}

const char *shown_character(unsigned char c, char (&text)[12]) {
    if (printable(c)) {
        (void)std::snprintf(text, sizeof text, "'%c'", c);
    } else {
        (void)std::snprintf(text, sizeof text, "byte 0x%02X", c);
    }
    return text;
}
