// The seven operations all dialogue goes through. Key codes are 0..255, or -1
// when no key can be read; cursor, keypad and function keys arrive as a lead
// code (0 or 224) on one read and their second code on the next.
#pragma once

#define CONSOLE_PRINTF_LIKE __attribute__((format(printf, 1, 2)))

// Waits for a key press and returns its code, without echo. A second code
// left pending by a two-code key is returned first, without reading.
int console_read_key();

// As console_read_key, and echoes a code read from the keyboard with
// console_put_char; a pending second code is returned without echo. Returns -1
// when the echo cannot be written (the key is then lost).
int console_read_key_echo();

// Writes the low 8 bits of ch to the console at once. Returns the byte, or -1.
int console_put_char(int ch);

// Formats ("%c", "%d", "%2d" and plain text), then writes the bytes one by one
// with console_put_char. Returns the number of bytes written, or -1.
int console_print(const char *format, ...) CONSOLE_PRINTF_LIKE;

// Formats onto standard output, written out before returning when standard
// output is a terminal. Returns the number of bytes.
int stdout_print(const char *format, ...) CONSOLE_PRINTF_LIKE;

// Maps 'A'..'Z' to 'a'..'z'; every other value, 0, 224 and -1 included, is
// returned unchanged. Independent of the locale.
int to_lower(int code);

// Ends the console at program end: closes both devices, restores the terminal
// and forgets any pending code, as at start.
void console_close();
