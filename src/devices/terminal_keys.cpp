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
#include "console/key_reader.h"
#include "signals/pending_output.h"
#include "devices/terminal.h"
#include "ending/exit_status.h"

namespace {

// How long a lone ESC waits for the rest of a sequence. Terminals send a
// whole sequence in one write, so its bytes arrive well within this.
constexpr int ESCAPE_WAIT_MS = 50;

KeyReader reader;
bool reader_ready = false;
// Bytes read ahead and not yet fed: a paste is read a block per call rather
// than a byte per poll and read. A byte waiting here had arrived, so it
// counts as the rest of a sequence exactly as a byte poll finds ready.
unsigned char read_ahead[4096];
int read_ahead_length = 0;
int read_ahead_next = 0;
// The terminal's input side while a key is read.
int input_fd = -1;

// On the way out: a failed message changes nothing about the exit.
[[noreturn]] void no_keyboard(const char *cause) {
    terminal_flush_for_the_end();
    (void)raw_mode_leave();
    int status = exit_status_final(2);
    (void)std::fprintf(stderr, "freelattice: no keyboard: %s\n", cause);
    std::exit(status);
}

// A terminal that shows nothing: no prompt is seen and no key echoed (a key
// whose echo fails is lost, q among them), so the session cannot go on. The
// exit status tells the failed write.
[[noreturn]] void no_screen() {
    terminal_flush_for_the_end();
    (void)raw_mode_leave();
    std::exit(exit_status_final(2));
}

// Waits for the next input event: a byte (true) or the end of the ESC wait
// (false). Whatever the user must see before answering is written out before
// the wait; keys typed ahead are taken without waiting, and so without a
// write each (a paste would otherwise cost a write per echoed byte).
bool wait_for_byte(unsigned char *byte) {
    INVARIANT(read_ahead_next >= 0 && read_ahead_length <= static_cast<int>(sizeof read_ahead));
    if (read_ahead_next < read_ahead_length) {
        *byte = read_ahead[read_ahead_next++];
        return true;
    }
    int fd = input_fd;
    for (;;) {
        int wait_ms = key_translator_incomplete(reader.translator) ? ESCAPE_WAIT_MS : -1;
        pollfd watch = {fd, POLLIN, 0};
        int ready = poll(&watch, 1, 0);
        if (ready == 0) {
            if (!output_buffer_flush()) no_screen();
            ready = poll(&watch, 1, wait_ms);
        }
        if (ready < 0) {
            if (errno == EINTR) continue;  // a signal (a stop, say): go on waiting
            no_keyboard(std::strerror(errno));
        }
        if (ready == 0) return false;
        ssize_t got = read(fd, read_ahead, sizeof read_ahead);
        if (got > 0) {
            read_ahead_length = static_cast<int>(got);
            read_ahead_next = 1;
            *byte = read_ahead[0];
            return true;
        }
        if (got == 0) no_keyboard("end of input");
        if (errno == EINTR || errno == EAGAIN) continue;
        no_keyboard(std::strerror(errno));
    }
}

void start_dialogue(int fd) {
    if (raw_mode_in_dialogue()) return;
    // Handlers first, so that no signal can end the program between the
    // switch to raw input and their installation.
    signals_install();
    if (!raw_mode_enter(fd)) {
        char cause[160] = "cannot set raw input: ";
        std::strncat(cause, std::strerror(errno), sizeof cause - 1 - std::strlen(cause));
        no_keyboard(cause);
    }
}

}  // namespace

void key_reading_reset() {
    key_reader_reset(reader);
    read_ahead_length = 0;
    read_ahead_next = 0;
    reader_ready = true;
}

int terminal_read_key(int *second) {
    if (terminal_output_lost()) no_screen();
    if (!reader_ready) key_reading_reset();
    const char *cause = "";
    input_fd = terminal_input_fd(&cause);
    if (input_fd < 0) no_keyboard(cause);
    start_dialogue(input_fd);
    return key_reader_next(reader, wait_for_byte, second);
}
