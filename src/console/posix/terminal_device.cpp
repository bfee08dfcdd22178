// Placeholder terminal device until the POSIX terminal layer lands.
#include <cstdio>
#include <cstdlib>

#include "console/console_device.h"

int device_read_key(int *second) {
    *second = -1;
    std::fflush(stdout);
    std::fputs("freelattice: no keyboard: not yet implemented\n", stderr);
    std::exit(2);
}

int device_put_char(unsigned char byte) { return std::fputc(byte, stderr) == EOF ? -1 : byte; }

int device_stdout_write(const char *text, int length) {
    return static_cast<int>(std::fwrite(text, 1, static_cast<std::size_t>(length), stdout));
}

void device_close() {}
