// Handlers make only async-signal-safe calls (write, tcsetattr, unlink,
// sigaction, sigprocmask, raise). The pending output goes out first, so that
// everything the program showed is on the screen before the shell's prompt.
#include "signals/signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "checks/invariant.h"
#include "signals/pending_output.h"
#include "signals/terminal_mode.h"

namespace {

// SIGPIPE among them: standard output may be a pipe whose reader has gone,
// and the program must not die of it with the keyboard left raw.
constexpr int TERMINATING[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};
constexpr int BROKEN_PIPE = SIGPIPE;
constexpr int STOPPING = SIGTSTP;
constexpr int CONTINUING = SIGCONT;
constexpr int FILE_TOO_LARGE = SIGXFSZ;

// At file scope because the handlers must find them (they take no
// arguments): the held file's name, complete before `held` says so,
char held_name[HELD_FILE_NAME_MAX];
// and whether a file is held under it.
volatile std::sig_atomic_t held = 0;

// Every signal handled here, blocked while a handler runs and while the
// held file or its name changes: a handler sees either no file or one that
// exists under held_name.
sigset_t handled_set() {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : TERMINATING) sigaddset(&set, sig);
    sigaddset(&set, BROKEN_PIPE);
    sigaddset(&set, STOPPING);
    sigaddset(&set, CONTINUING);
    sigaddset(&set, FILE_TOO_LARGE);
    return set;
}

// Blocks the handled signals; returns the mask to put back.
sigset_t block_handled() {
    sigset_t set = handled_set();
    sigset_t before;
    sigprocmask(SIG_BLOCK, &set, &before);
    return before;
}

void set_action(int sig, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    // A write to standard output that a stop or continue interrupts goes on
    // afterwards: stdio would drop the unwritten text on EINTR.
    action.sa_flags = SA_RESTART;
    action.sa_mask = handled_set();
    sigaction(sig, &action, nullptr);
}

// Lets sig act with its default action now: it is blocked while its handler runs.
void raise_default(int sig) {
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(sig, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, sig);
    // The signal is blocked while its handler runs, so raise returns and the
    // signal arrives once unblocked below (cppcheck takes raise for noreturn).
    // raise cannot fail for a valid signal number.
    (void)raise(sig);
    // cppcheck-suppress unreachableCode
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

void remove_held_file() {
    if (held != 0) (void)unlink(held_name);
    held = 0;
}

void on_terminating(int sig) {
    pending_output_flush_from_handler();
    (void)terminal_mode_restore();
    remove_held_file();
    raise_default(sig);
    // Still here only where the default action is discarded (as for process
    // 1 in a container): end as the signal would have.
    _exit(128 + sig);
}

void on_stopping(int sig) {
    // The interrupted read looks at errno when it goes on.
    int saved_errno = errno;
    pending_output_flush_from_handler();
    (void)terminal_mode_restore();
    raise_default(sig);
    // Here again after SIGCONT, or at once when the kernel refused the stop
    // (a process group without a shell to continue it): raw again either way.
    set_action(sig, on_stopping);
    (void)terminal_mode_reapply();
    errno = saved_errno;
}

void on_continuing(int /*sig*/) {
    int saved_errno = errno;
    (void)terminal_mode_reapply();
    errno = saved_errno;
}

// The write that went past a file size limit (SIGXFSZ), or into a pipe
// whose reader has gone once the terminal is held (SIGPIPE), fails with
// EFBIG or EPIPE when the handler returns, and is told as any failed write
// is.
void on_failed_write(int /*sig*/) {}

// A signal ignored when the program started (nohup, a shell without job
// control) stays ignored.
bool ignored(int sig) {
    struct sigaction current = {};
    sigaction(sig, nullptr, &current);
    return current.sa_handler == SIG_IGN;
}

}  // namespace

void signals_install() {
    for (int sig : TERMINATING) {
        if (!ignored(sig)) set_action(sig, on_terminating);
    }
    if (!ignored(BROKEN_PIPE)) set_action(BROKEN_PIPE, on_terminating);
    if (!ignored(STOPPING)) set_action(STOPPING, on_stopping);
    set_action(CONTINUING, on_continuing);
    if (!ignored(FILE_TOO_LARGE)) set_action(FILE_TOO_LARGE, on_failed_write);
}

void signals_keep_going_on_broken_pipe() {
    if (!ignored(BROKEN_PIPE)) set_action(BROKEN_PIPE, on_failed_write);
}

int held_file_create(const char *name_template, int flags) {
    // One at a time: a second file would take the first one's name from the
    // handlers, and the first would be left behind.
    INVARIANT(held == 0);
    std::size_t length = std::strlen(name_template);
    if (length >= sizeof held_name) {
        errno = ENAMETOOLONG;
        return -1;
    }
    sigset_t before = block_handled();
    std::memcpy(held_name, name_template, length + 1);
    int fd = mkostemp(held_name, flags);
    int error = errno;
    if (fd >= 0) held = 1;
    sigprocmask(SIG_SETMASK, &before, nullptr);
    errno = error;
    return fd;
}

int held_file_rename(const char *path) {
    sigset_t before = block_handled();
    int error = std::rename(held_name, path) == 0 ? 0 : errno;
    if (error == 0) held = 0;  // the name is path's now
    sigprocmask(SIG_SETMASK, &before, nullptr);
    return error;
}

void held_file_remove() {
    sigset_t before = block_handled();
    remove_held_file();
    sigprocmask(SIG_SETMASK, &before, nullptr);
}
