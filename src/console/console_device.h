// What the console operations need from the device underneath: the terminal or
// a batch session in the program, a scripted keyboard and recorder in the
// tests. The device is chosen once, before the first console operation.
#pragma once

struct ConsoleDevice {
    // Waits for one key press. Returns its first code (0..255) and stores its
    // second code, or -1 for a one-code key, in *second. A device that can
    // read no key ends the run itself; -1 is returned only if it cannot.
    int (*read_key)(int *second);

    // Takes one console byte. Returns the byte, or -1 when the console cannot
    // be written.
    int (*put_char)(unsigned char byte);

    // Writes text to standard output. Returns the number of bytes taken.
    int (*stdout_write)(const char *text, int length);

    // Writes out whatever is still pending, releases what the device opened
    // and puts it back to its start state.
    void (*close)();
};

// Makes chosen the device every console operation uses from now on.
void console_use_device(const ConsoleDevice &chosen);
