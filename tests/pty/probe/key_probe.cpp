// Test program: the console operations on the real terminal device, without
// the phases. Lets the pty tests check keys and output end to end.
//   key_probe read N   reads N codes with Console::read_key, prints each
//   key_probe echo N   the same with Console::read_key_echo
//   key_probe show     writes every console byte but 8, 10 and 13, 16 a line
// Each code read is printed on standard output as a decimal number and a new
// line. Exit status 0 after the last code.
#include <cstdlib>
#include <cstring>

#include "console/console.h"
#include "devices/terminal_device.h"
#include "signals/signals.h"

namespace {

void show_all_bytes(Console &console) {
    for (int row = 0; row < 256; row += 16) {
        console.print("%03d ", row);
        for (int byte = row; byte < row + 16; ++byte) {
            // The three control bytes would move the cursor: a dot stands in.
            if (byte == 8 || byte == 10 || byte == 13) {
                console.put_char(250);
            } else {
                console.put_char(byte);
            }
        }
        console.put_char('\n');
    }
}

}  // namespace

int main(int argc, char **argv) {
    signals_install();
    ExitStatus exit_status;
    TerminalDevice terminal(exit_status);
    Console console(terminal);
    if (argc == 2 && std::strcmp(argv[1], "show") == 0) {
        show_all_bytes(console);
        console.close();
        return 0;
    }
    if (argc != 3) return 64;
    bool echo = std::strcmp(argv[1], "echo") == 0;
    int count = std::atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        int code = echo ? console.read_key_echo() : console.read_key();
        console.stdout_print("%d\n", code);
    }
    console.close();
    return 0;
}
