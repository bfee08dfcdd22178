// Errors in the values of the presentation's options, on standard error as
// "freelattice: --OPTION 'VALUE': REASON". The value is shown safely: bytes
// that are not printable ASCII as \xHH, and a long value cut short.
#pragma once

#include <string_view>

#define ARGUMENT_PRINTF_LIKE __attribute__((format(printf, 3, 4)))

void argument_error(const char *option, std::string_view value, const char *reason, ...) ARGUMENT_PRINTF_LIKE;

// A character of a value for a reason: 'c', or byte 0xHH when c is not
// printable ASCII. Writes at most 10 bytes and a zero into text.
const char *shown_character(unsigned char c, char (&text)[12]);
