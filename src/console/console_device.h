// What the console operations need from the device underneath: the terminal
// in the program, a scripted keyboard and recorder in the tests. Exactly one
// implementation is linked.
#pragma once

// Waits for one key press. Returns its first code (0..255) and stores its
// second code, or -1 for a one-code key, in *second. A device that can read
// no key ends the run itself; -1 is returned only if it cannot.
int device_read_key(int *second);

// Writes one console byte. Returns the byte, or -1 when the console cannot be
// written.
int device_put_char(unsigned char byte);

// Writes text to standard output. Returns the number of bytes written.
int device_stdout_write(const char *text, int length);

// Releases whatever the device opened and puts it back to its start state.
void device_close();
