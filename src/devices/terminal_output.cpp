// Console bytes to the terminal as UTF-8 code page 437 characters, collected
// and written out in one write whenever the user must see them: before a key
// read waits, before standard output is written, and at the end. Standard
// output goes through stdio.
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "console/cp437.h"
#include "devices/terminal_device.h"
#include "signals/pending_output.h"

int TerminalDevice::put_char(unsigned char byte) {
    int fd = output_fd();
    if (fd < 0) return -1;
    // Only 8, 10 and 13 reach the terminal as control bytes; every other
    // byte becomes a printable character, so no key can inject a sequence.
    char text[CP437_UTF8_MAX];
    int length = cp437_to_utf8(byte, text);
    return pending_output_add(text, length) ? byte : -1;
}

int TerminalDevice::stdout_write(const char *text, int length) {
    // Console text written before this call shows before it.
    (void)pending_output_flush();
    int written = static_cast<int>(std::fwrite(text, 1, static_cast<size_t>(length), stdout));
    if (written < length) exit_status_.write_failed(Channel::STANDARD_OUTPUT, errno);
    if (stdout_is_terminal_ < 0) stdout_is_terminal_ = isatty(fileno(stdout)) == 1 ? 1 : 0;
    // On a terminal, both channels must show in the order of the calls.
    if (stdout_is_terminal_ == 1 && std::fflush(stdout) != 0) exit_status_.write_failed(Channel::STANDARD_OUTPUT, errno);
    return written;
}
