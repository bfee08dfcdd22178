// What the console operations need from the device underneath: the terminal or
// a batch session in the program, a scripted keyboard and recorder in the
// tests.
#pragma once

class ConsoleDevice {
public:
    // Waits for one key press. Returns its first code (0..255) and stores its
    // second code, or -1 for a one-code key, in *second. A device that can
    // read no key ends the run itself; -1 is returned only if it cannot.
    virtual int read_key(int *second) = 0;

    // Takes one console byte. Returns the byte, or -1 when the console cannot
    // be written.
    virtual int put_char(unsigned char byte) = 0;

    // Writes text to standard output. Returns the number of bytes taken.
    virtual int stdout_write(const char *text, int length) = 0;

    // Writes out whatever is still pending, releases what the device opened
    // and puts it back to its start state.
    virtual void close() = 0;

protected:
    ConsoleDevice() = default;
    ConsoleDevice(const ConsoleDevice &) = default;
    ConsoleDevice &operator=(const ConsoleDevice &) = default;
    ~ConsoleDevice() = default;
};
