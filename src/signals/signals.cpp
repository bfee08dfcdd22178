// Signals while the terminal is raw: a terminating signal puts the user's
// attributes back before the program ends by it, a stop puts them back before
// stopping, and a continue makes the input raw again. Handlers make only
// async-signal-safe calls (write, tcsetattr, sigaction, sigprocmask, raise).
// Both write out the console text still pending first, so that everything
// the program showed is on the screen before the shell's prompt.
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "signals/pending_output.h"
#include "devices/terminal.h"

namespace {

// SIGPIPE among them: standard output may be a pipe whose reader has gone,
// and the program must not die of it with the keyboard left raw.
constexpr int TERMINATING[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGPIPE};
constexpr int STOPPING = SIGTSTP;
constexpr int CONTINUING = SIGCONT;

bool installed = false;

void set_action(int sig, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    // A write to standard output that a stop or continue interrupts goes on
    // afterwards: stdio would drop the unwritten text on EINTR.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    // No other of our signals runs in the middle of a handler.
    for (int other : TERMINATING) sigaddset(&action.sa_mask, other);
    sigaddset(&action.sa_mask, STOPPING);
    sigaddset(&action.sa_mask, CONTINUING);
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

void on_terminating(int sig) {
    output_buffer_flush_from_handler();
    (void)raw_mode_restore();
    raise_default(sig);
    // Still here only where the default action is discarded (as for process
    // 1 in a container): end as the signal would have.
    _exit(128 + sig);
}

void on_stopping(int sig) {
    // The interrupted read looks at errno when it goes on.
    int saved_errno = errno;
    output_buffer_flush_from_handler();
    (void)raw_mode_restore();
    raise_default(sig);
    // Here again after SIGCONT, or at once when the kernel refused the stop
    // (a process group without a shell to continue it): raw again either way.
    set_action(sig, on_stopping);
    (void)raw_mode_reapply();
    errno = saved_errno;
}

void on_continuing(int /*sig*/) {
    int saved_errno = errno;
    (void)raw_mode_reapply();
    errno = saved_errno;
}

// A signal ignored when the program started (nohup, a shell without job
// control) stays ignored.
bool ignored(int sig) {
    struct sigaction current = {};
    sigaction(sig, nullptr, &current);
    return current.sa_handler == SIG_IGN;
}

}  // namespace

void signals_install() {
    if (installed) return;
    installed = true;
    for (int sig : TERMINATING) {
        if (!ignored(sig)) set_action(sig, on_terminating);
    }
    if (!ignored(STOPPING)) set_action(STOPPING, on_stopping);
    set_action(CONTINUING, on_continuing);
}

void signals_remove() {
    if (!installed) return;
    installed = false;
    for (int sig : TERMINATING) {
        if (!ignored(sig)) set_action(sig, SIG_DFL);
    }
    if (!ignored(STOPPING)) set_action(STOPPING, SIG_DFL);
    set_action(CONTINUING, SIG_DFL);
}
