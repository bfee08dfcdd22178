// Opening and closing /dev/tty, once for keys and once for console bytes.
// A failed opening is final for the run: the device stays unavailable.
#include "devices/terminal_device.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "signals/pending_output.h"
#include "signals/terminal_mode.h"

namespace {

// The controlling terminal, whatever standard input and output are.
constexpr const char *CONSOLE_PATH = "/dev/tty";

}  // namespace

int TerminalDevice::open_device(Opening &opening, int flags) {
    if (opening.state == NOT_OPENED) {
        // O_NOCTTY: never acquire a controlling terminal by opening one.
        int fd = -1;
        do {
            fd = open(CONSOLE_PATH, flags | O_NOCTTY | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0) {
            opening = {OPEN, fd, 0};
        } else {
            opening = {UNAVAILABLE, -1, errno};
        }
    }
    return opening.state == OPEN ? opening.fd : -1;
}

int TerminalDevice::input_fd(const char **cause) {
    int fd = open_device(input_, O_RDONLY);
    if (fd < 0) {
        // A longer system message is cut; the text always ends in a zero.
        (void)std::snprintf(input_failure_, sizeof input_failure_, "cannot open /dev/tty: %s",
                            std::strerror(input_.open_errno));
        *cause = input_failure_;
    }
    return fd;
}

int TerminalDevice::output_fd() {
    bool first_use = output_.state == NOT_OPENED;
    int fd = open_device(output_, O_WRONLY);
    if (first_use && fd >= 0) pending_output_attach(fd);
    // The user sees nothing from here on: told at the end, as a failed write.
    if (first_use && fd < 0) exit_status_.write_failed(Channel::TERMINAL, output_.open_errno);
    return fd;
}

bool TerminalDevice::output_lost() const { return output_.state == UNAVAILABLE || pending_output_error() != 0; }

void TerminalDevice::flush_for_the_end() {
    if (!pending_output_flush()) exit_status_.write_failed(Channel::TERMINAL, pending_output_error());
}

void TerminalDevice::close() {
    // The last text shows before the user's attributes are back.
    flush_for_the_end();
    pending_output_reset();
    // The terminal is still there and still raw: the user must know (stty
    // sane mends it).
    int error = terminal_mode_leave();
    if (error != 0 && !gone_) exit_status_.restore_failed(error);
    key_reader_reset(reader_);
    block_reader_reset(read_ahead_);
    reader_ready_ = false;
    gone_ = false;
    for (Opening *opening : {&input_, &output_}) {
        if (opening->state == OPEN) ::close(opening->fd);
        *opening = {NOT_OPENED, -1, 0};
    }
}
