// The operations all dialogue goes through, on the device a front end gives.
// Key codes are 0..255, or -1 when no key can be read; cursor, keypad and
// function keys arrive as a lead code (0 or 224) on one read and their second
// code on the next.
#pragma once

#include "console/console_device.h"

#define CONSOLE_PRINTF_LIKE __attribute__((format(printf, 2, 3)))

class Console {
public:
    explicit Console(ConsoleDevice &device) : device_(device) {}

    // Waits for a key press and returns its code, without echo. A second code
    // left pending by a two-code key is returned first, without reading.
    int read_key();

    // As read_key, and echoes a code read from the keyboard with put_char; a
    // pending second code is returned without echo. Returns -1 when the echo
    // cannot be written (the key is then lost).
    int read_key_echo();

    // Writes the low 8 bits of ch to the console at once. Returns the byte, or -1.
    int put_char(int ch);

    // Formats ("%c", "%d", "%2d" and plain text), then writes the bytes one by
    // one with put_char. Returns the number of bytes written, or -1.
    int print(const char *format, ...) CONSOLE_PRINTF_LIKE;

    // Formats onto standard output, written out before returning when standard
    // output is a terminal. Returns the number of bytes.
    int stdout_print(const char *format, ...) CONSOLE_PRINTF_LIKE;

    // Ends the console: closes the device and forgets any pending code, as
    // at start.
    void close();

private:
    ConsoleDevice &device_;
    // Second code of the last two-code key, -1 when empty. Shared by both reads.
    int pending_code_ = -1;
};

// Maps 'A'..'Z' to 'a'..'z'; every other value, 0, 224 and -1 included, is
// returned unchanged. Independent of the locale.
int to_lower(int code);
