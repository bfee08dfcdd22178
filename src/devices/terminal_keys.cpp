// Reading keys from the terminal: bytes go through the key translator; a byte
// that gives no code (part of a sequence, an unknown key) keeps the read
// waiting. Without a keyboard the run ends at once: otherwise every phase
// would see -1 forever and the program would spin.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "checks/invariant.h"
#include "devices/terminal_device.h"
#include "ending/end_of_run.h"
#include "signals/pending_output.h"
#include "signals/terminal_mode.h"

namespace {

// How long a lone ESC waits for the rest of a sequence. Terminals send a
// whole sequence in one write, so its bytes arrive well within this.
constexpr int ESCAPE_WAIT_MS = 50;

}  // namespace

void TerminalDevice::no_keyboard(const char *cause) {
    char reason[200];
    (void)std::snprintf(reason, sizeof reason, "no keyboard: %s", cause);
    gone_ = true;
    end_run_now(this, exit_status_, 2, reason);
}

// A terminal that shows nothing: no prompt is seen and no key echoed (a key
// whose echo fails is lost, q among them), so the session cannot go on. The
// exit status tells the failed write.
void TerminalDevice::no_screen() {
    gone_ = true;
    std::exit(end_of_run(this, exit_status_, 2));
}

// Waits for the next input event: a byte (true) or the end of the ESC wait
// (false). Whatever the user must see before answering is written out before
// the wait; keys typed ahead are taken without waiting, and so without a
// write each (a paste would otherwise cost a write per echoed byte).
bool TerminalDevice::wait_for_byte(unsigned char *byte) {
    if (block_reader_has_byte(read_ahead_)) {
        *byte = block_reader_take(read_ahead_);
        return true;
    }
    int fd = input_.fd;
    for (;;) {
        int wait_ms = key_translator_incomplete(reader_.translator) ? ESCAPE_WAIT_MS : -1;
        pollfd watch = {fd, POLLIN, 0};
        int ready = poll(&watch, 1, 0);
        if (ready == 0) {
            if (!pending_output_flush()) no_screen();
            ready = poll(&watch, 1, wait_ms);
        }
        if (ready < 0) {
            if (errno == EINTR) continue;  // a signal (a stop, say): go on waiting
            no_keyboard(std::strerror(errno));
        }
        if (ready == 0) return false;
        ssize_t got = block_reader_refill(read_ahead_, fd);
        if (got > 0) {
            *byte = block_reader_take(read_ahead_);
            return true;
        }
        if (got == 0) no_keyboard("end of input");
        if (errno == EINTR || errno == EAGAIN) continue;
        no_keyboard(std::strerror(errno));
    }
}

bool TerminalDevice::next_byte(void *device, unsigned char *byte) {
    return static_cast<TerminalDevice *>(device)->wait_for_byte(byte);
}

void TerminalDevice::start_dialogue(int fd) {
    if (terminal_mode_in_dialogue()) return;
    if (!terminal_mode_enter(fd)) {
        char cause[160] = "cannot set raw input: ";
        std::strncat(cause, std::strerror(errno), sizeof cause - 1 - std::strlen(cause));
        no_keyboard(cause);
    }
}

int TerminalDevice::read_key(int *second) {
    if (output_lost()) no_screen();
    if (!reader_ready_) {
        key_reader_reset(reader_);
        block_reader_reset(read_ahead_);
        reader_ready_ = true;
    }
    const char *cause = "";
    int fd = input_fd(&cause);
    if (fd < 0) no_keyboard(cause);
    start_dialogue(fd);
    return key_reader_next(reader_, next_byte, this, second);
}
