#include "presentation/argument_errors.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "ending/shown_text.h"

namespace {

// A 10 MB term is not worth repeating whole to point at its fault.
constexpr std::size_t SHOWN_LENGTH = 60;

bool printable(unsigned char c) { return c >= 32 && c < 127; }

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
    (void)std::fprintf(stderr, "freelattice: %s '%s': %s\n", option, shown_text(value, SHOWN_LENGTH).c_str(),
                       because);
}

void file_error(const char *doing, std::string_view file, int error) {
    (void)std::fprintf(stderr, "freelattice: cannot %s %s: %s\n", doing, shown_text(file).c_str(),
                       std::strerror(error));
}

void line_error(std::string_view file, std::size_t line, const char *reason, ...) {
    char because[256];
    va_list arguments;
    va_start(arguments, reason);
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
    (void)std::vsnprintf(because, sizeof because, reason, arguments);
    va_end(arguments);
    (void)std::fprintf(stderr, "freelattice: %s:%zu: %s\n", shown_text(file).c_str(), line, because);
}

const char *shown_character(unsigned char c, char (&text)[12]) {
    if (printable(c)) {
        (void)std::snprintf(text, sizeof text, "'%c'", c);
    } else {
        (void)std::snprintf(text, sizeof text, "byte 0x%02X", c);
    }
    return text;
}
