// Keys typed ahead must arrive exactly as typed, so the mode is set once, on
// the first key read, and never toggled around reads; pending input is never
// flushed (TCSANOW throughout).
#include "signals/terminal_mode.h"

#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace {

// At file scope because the signal handlers must find them (they take no
// arguments): the user's attributes, stored before raw_fd publishes them (a
// signal fence keeps the compiler to that order),
termios saved_attributes;
// the terminal in dialogue, -1 when none,
volatile std::sig_atomic_t raw_fd = -1;
// and whether the raw attributes are set now.
volatile std::sig_atomic_t raw_applied = 0;

// The saved attributes made raw. Pure, so a handler may call it.
termios raw_of(const termios &saved) {
    termios raw = saved;
    // ICANON off: each byte is delivered as it arrives, no line editing.
    // ECHO off: the program decides what a key shows.
    // ISIG off: Ctrl-C, Ctrl-\ and Ctrl-Z are keys (3, 28, 26), not signals.
    // IEXTEN off: Ctrl-V and Ctrl-O are keys, not literal-next or discard.
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
    // IXON/IXOFF off: Ctrl-S and Ctrl-Q are keys, output never freezes.
    // ICRNL/INLCR/IGNCR off: Enter stays CR (13) and Ctrl-J stays LF (10).
    // ISTRIP off: the eighth bit of UTF-8 bytes survives.
    // BRKINT off: a break must not flush the keys typed ahead.
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP | BRKINT);
    // A read returns as soon as one byte is there and waits for it otherwise.
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    // Output flags stay as the user had them: a new line still starts the
    // next line at its first column.
    return raw;
}

// Returns 0 or the errno of the failure.
int set_attributes(const termios &attributes) {
    // tcsetattr is async-signal-safe; it may be interrupted by a signal.
    for (;;) {
        if (tcsetattr(raw_fd, TCSANOW, &attributes) == 0) return 0;
        if (errno != EINTR) return errno;
    }
}

}  // namespace

bool terminal_mode_enter(int fd) {
    if (tcgetattr(fd, &saved_attributes) != 0) return false;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    raw_fd = fd;
    int error = terminal_mode_reapply();
    if (error == 0) return true;
    // Keys would come a line at a time, echoed by the terminal: no dialogue.
    (void)terminal_mode_leave();
    errno = error;
    return false;
}

int terminal_mode_restore() {
    if (raw_fd < 0 || raw_applied == 0) return 0;
    int error = set_attributes(saved_attributes);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    raw_applied = 0;
    return error;
}

int terminal_mode_reapply() {
    if (raw_fd < 0) return 0;
    // Marked first: a terminating signal between the two steps then still
    // restores (harmlessly, if the raw attributes never took).
    raw_applied = 1;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    return set_attributes(raw_of(saved_attributes));
}

int terminal_mode_leave() {
    // No handler may run between the restore and the end of the dialogue: a
    // continue would make the input raw again for good.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    sigprocmask(SIG_BLOCK, &all, &previous);
    int error = terminal_mode_restore();
    raw_fd = -1;
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    return error;
}

bool terminal_mode_in_dialogue() { return raw_fd >= 0; }
