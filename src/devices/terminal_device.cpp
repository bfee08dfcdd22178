// Opening and closing /dev/tty, once for keys and once for console bytes.
// A failed opening is final for the run: the device stays unavailable.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "signals/pending_output.h"
#include "devices/terminal.h"
#include "devices/terminal_device.h"
#include "ending/exit_status.h"

namespace {

enum DeviceState { NOT_OPENED, OPEN, UNAVAILABLE };

struct Device {
    DeviceState state;
    int fd;
    int open_errno;
};

Device input = {NOT_OPENED, -1, 0};
Device output = {NOT_OPENED, -1, 0};

// The controlling terminal, whatever standard input and output are.
constexpr const char *CONSOLE_PATH = "/dev/tty";

int open_device(Device &device, int flags) {
    if (device.state == NOT_OPENED) {
        // O_NOCTTY: never acquire a controlling terminal by opening one.
        int fd = -1;
        do {
            fd = open(CONSOLE_PATH, flags | O_NOCTTY | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0) {
            device = {OPEN, fd, 0};
        } else {
            device = {UNAVAILABLE, -1, errno};
        }
    }
    return device.state == OPEN ? device.fd : -1;
}

void close_device(Device &device) {
    if (device.state == OPEN) close(device.fd);
    device = {NOT_OPENED, -1, 0};
}

// Room for "cannot open /dev/tty: " and any system message.
char input_failure[160];

}  // namespace

int terminal_input_fd(const char **cause) {
    int fd = open_device(input, O_RDONLY);
    if (fd < 0 && cause != nullptr) {
        // A longer system message is cut; the text always ends in a zero.
        (void)std::snprintf(input_failure, sizeof input_failure, "cannot open /dev/tty: %s",
                            std::strerror(input.open_errno));
        *cause = input_failure;
    }
    return fd;
}

int terminal_output_fd() {
    bool first_use = output.state == NOT_OPENED;
    int fd = open_device(output, O_WRONLY);
    if (first_use && fd >= 0) output_buffer_attach(fd);
    // The user sees nothing from here on: told at the end, as a failed write.
    if (first_use && fd < 0) exit_status_write_failed(Channel::TERMINAL, output.open_errno);
    return fd;
}

bool terminal_output_lost() { return output.state == UNAVAILABLE || output_buffer_error() != 0; }

void terminal_flush_for_the_end() {
    if (!output_buffer_flush()) exit_status_write_failed(Channel::TERMINAL, output_buffer_error());
}

void terminal_close_devices() {
    close_device(input);
    close_device(output);
}

namespace {

void terminal_close() {
    // The last text shows before the user's attributes are back.
    terminal_flush_for_the_end();
    output_buffer_reset();
    // The terminal is still there and still raw: the user must know (stty
    // sane mends it). Where the keyboard or the screen is gone, so is the
    // point of telling.
    int error = raw_mode_leave();
    if (error != 0) exit_status_restore_failed(error);
    signals_remove();
    key_reading_reset();
    terminal_close_devices();
}

}  // namespace

const ConsoleDevice TERMINAL_DEVICE = {terminal_read_key, terminal_put_char, terminal_stdout_write,
                                       terminal_close};
