// Test program: the console operations on the real terminal device, without
// the phases. Lets the pty tests check keys and output end to end.
//   key_probe read N   reads N codes with console_read_key, prints each
//   key_probe echo N   the same with console_read_key_echo
//   key_probe show     writes every console byte but 8, 10 and 13, 16 a line
// Each code read is printed on standard output as a decimal number and a new
// line. Exit status 0 after the last code.
#include <cstdlib>
#include <cstring>

#include "console/console.h"
#include "devices/terminal_device.h"

namespace {

void show_all_bytes() {
    for (int row = 0; row < 256; row += 16) {
        console_print("%03d ", row);
        for (int byte = row; byte < row + 16; ++byte) {
            // The three control bytes would move the cursor: a dot stands in.
            if (byte == 8 || byte == 10 || byte == 13) {
                console_put_char(250);
            } else {
                console_put_char(byte);
            }
        }
        console_put_char('\n');
    }
}

}  // namespace

int main(int argc, char **argv) {
    console_use_device(TERMINAL_DEVICE);
    if (argc == 2 && std::strcmp(argv[1], "show") == 0) {
        show_all_bytes();
        console_close();
        return 0;
    }
    if (argc != 3) return 64;
    bool echo = std::strcmp(argv[1], "echo") == 0;
    int count = std::atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        int code = echo ? console_read_key_echo() : console_read_key();
        stdout_print("%d\n", code);
    }
    console_close();
    return 0;
}
