// Console bytes to the terminal as UTF-8 code page 437 characters, collected
// and written out in one write whenever the user must see them: before a key
// read waits, before standard output is written, and at the end. Standard
// output goes through stdio.
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "console/cp437.h"
#include "signals/pending_output.h"
#include "ending/standard_output.h"
#include "devices/terminal.h"

namespace {

// -1 until standard output has been looked at, then 0 or 1.
int stdout_is_terminal = -1;

}  // namespace

int terminal_put_char(unsigned char byte) {
    int fd = terminal_output_fd();
    if (fd < 0) return -1;
    // Only 8, 10 and 13 reach the terminal as control bytes; every other
    // byte becomes a printable character, so no key can inject a sequence.
    char text[CP437_UTF8_MAX];
    int length = cp437_to_utf8(byte, text);
    return output_buffer_add(text, length) ? byte : -1;
}

int terminal_stdout_write(const char *text, int length) {
    // Console text written before this call shows before it.
    (void)output_buffer_flush();
    int written = static_cast<int>(std::fwrite(text, 1, static_cast<size_t>(length), stdout));
    if (written < length) standard_output_failed(errno);
    if (stdout_is_terminal < 0) stdout_is_terminal = isatty(fileno(stdout)) == 1 ? 1 : 0;
    // On a terminal, both channels must show in the order of the calls.
    if (stdout_is_terminal == 1 && std::fflush(stdout) != 0) standard_output_failed(errno);
    return written;
}
