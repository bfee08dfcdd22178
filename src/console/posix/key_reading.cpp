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

#include "console/key_translator.h"
#include "console/posix/output_buffer.h"
#include "console/posix/terminal.h"

namespace {

// How long a lone ESC waits for the rest of a sequence. Terminals send a
// whole sequence in one write, so its bytes arrive well within this.
constexpr int ESCAPE_WAIT_MS = 50;

KeyTranslator translator;
bool translator_ready = false;

// Keys completed but not yet returned (one event can complete two).
TranslatedKey ready_keys[KEY_TRANSLATOR_MAX_KEYS];
int ready_count = 0;
int ready_next = 0;

// On the way out: a failed flush or message changes nothing about the exit.
[[noreturn]] void no_keyboard(const char *cause) {
    (void)output_buffer_flush();
    (void)std::fflush(stdout);
    raw_mode_leave();
    (void)std::fprintf(stderr, "freelattice: no keyboard: %s\n", cause);
    std::exit(2);
}

// Waits for the next input event: a byte (true) or the end of the ESC wait
// (false). Whatever the user must see before answering is written out before
// the wait; keys typed ahead are taken without waiting, and so without a
// write each (a paste would otherwise cost a write per echoed byte).
bool wait_for_byte(int fd, unsigned char *byte) {
    for (;;) {
        int wait_ms = key_translator_incomplete(translator) ? ESCAPE_WAIT_MS : -1;
        pollfd watch = {fd, POLLIN, 0};
        int ready = poll(&watch, 1, 0);
        if (ready == 0) {
            (void)output_buffer_flush();
            ready = poll(&watch, 1, wait_ms);
        }
        if (ready < 0) {
            if (errno == EINTR) continue;  // a signal (a stop, say): go on waiting
            no_keyboard(std::strerror(errno));
        }
        if (ready == 0) return false;
        ssize_t got = read(fd, byte, 1);
        if (got == 1) return true;
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
    key_translator_reset(translator);
    translator_ready = true;
    ready_count = 0;
    ready_next = 0;
}

int terminal_read_key(int *second) {
    if (!translator_ready) key_reading_reset();
    const char *cause = "";
    int fd = terminal_input_fd(&cause);
    if (fd < 0) no_keyboard(cause);
    start_dialogue(fd);
    while (ready_next == ready_count) {
        ready_next = 0;
        unsigned char byte = 0;
        if (wait_for_byte(fd, &byte)) {
            ready_count = key_translator_feed(translator, byte, ready_keys);
        } else {
            ready_count = key_translator_timeout(translator, ready_keys);
        }
    }
    TranslatedKey key = ready_keys[ready_next++];
    *second = key.second;
    return key.lead;
}
