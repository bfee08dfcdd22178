// Errors in the values of the presentation's options, on standard error as
// "freelattice: --OPTION 'VALUE': REASON". The value is shown safely: bytes
// that are not printable ASCII as \xHH, and a long value cut short.
#pragma once

#include <cstddef>
#include <string_view>

#define ARGUMENT_PRINTF_LIKE __attribute__((format(printf, 3, 4)))

void argument_error(const char *option, std::string_view value, const char *reason, ...) ARGUMENT_PRINTF_LIKE;

// "freelattice: cannot DOING FILE: REASON", the file's name shown as a
// value is, the reason that of errno value error.
void file_error(const char *doing, std::string_view file, int error);

// An error in line `line` of a file of questions, on standard error as
// "freelattice: FILE:LINE: REASON", the file's name shown as a value is.
void line_error(std::string_view file, std::size_t line, const char *reason, ...) ARGUMENT_PRINTF_LIKE;

// A character of a value for a reason: 'c', or byte 0xHH when c is not
// printable ASCII. Writes at most 10 bytes and a zero into text.
const char *shown_character(unsigned char c, char (&text)[12]);
