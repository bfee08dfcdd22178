#include "export/temporary_file.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "checks/invariant.h"

namespace {

constexpr int REMOVING[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
constexpr int COUNT = sizeof REMOVING / sizeof REMOVING[0];
constexpr const char *SUFFIX = ".freelattice-XXXXXX";

// Read by the handler: the name is complete before `held` says so.
char held_name[PATH_MAX];
volatile sig_atomic_t held = 0;
struct sigaction previous[COUNT];
bool replaced[COUNT];
struct sigaction previous_xfsz;

int index_of(int sig) {
    for (int i = 0; i < COUNT; ++i) {
        if (REMOVING[i] == sig) return i;
    }
    return 0;
}

void on_signal(int sig, siginfo_t *info, void *context) {
    if (held != 0) (void)unlink(held_name);
    held = 0;
    const struct sigaction &before = previous[index_of(sig)];
    if ((before.sa_flags & SA_SIGINFO) != 0) {
        before.sa_sigaction(sig, info, context);
        return;
    }
    if (before.sa_handler != SIG_DFL) {
        before.sa_handler(sig);
        return;
    }
    // The default action: end by the signal, once it is unblocked on return
    // from this handler.
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    (void)sigaction(sig, &fallback, nullptr);
    (void)raise(sig);
}

// The removing signals, blocked while the handlers and the name change, so
// that a handler sees either no file or one that exists under held_name.
sigset_t removing_set() {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : REMOVING) sigaddset(&set, sig);
    return set;
}

// Blocks the removing signals; returns the mask to put back.
sigset_t block_removing() {
    sigset_t set = removing_set();
    sigset_t before;
    sigprocmask(SIG_BLOCK, &set, &before);
    return before;
}

void install() {
    struct sigaction action = {};
    action.sa_sigaction = on_signal;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    action.sa_mask = removing_set();
    for (int i = 0; i < COUNT; ++i) {
        // Unknown, the handler there is left alone: put back later from a
        // stale record, the terminal's own could be lost.
        replaced[i] = sigaction(REMOVING[i], nullptr, &previous[i]) == 0 && previous[i].sa_handler != SIG_IGN;
        if (replaced[i]) (void)sigaction(REMOVING[i], &action, nullptr);
    }
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    (void)sigaction(SIGXFSZ, &ignore, &previous_xfsz);
}

void uninstall() {
    for (int i = 0; i < COUNT; ++i) {
        if (replaced[i]) (void)sigaction(REMOVING[i], &previous[i], nullptr);
    }
    (void)sigaction(SIGXFSZ, &previous_xfsz, nullptr);
}

// Ends holding the file, removing it first unless it was renamed.
void release(bool remove) {
    sigset_t before = block_removing();
    if (held != 0 && remove) (void)unlink(held_name);
    held = 0;
    uninstall();
    sigprocmask(SIG_SETMASK, &before, nullptr);
}

}  // namespace

std::string temporary_name_for(const std::string &path) {
    std::size_t slash = path.rfind('/');
    INVARIANT(slash != std::string::npos);
    std::string folder = path.substr(0, slash + 1);
    std::string name = path.substr(slash + 1);
    std::size_t room = NAME_MAX - 1 - std::strlen(SUFFIX);
    if (name.size() > room) name.resize(room);
    return folder + "." + name + SUFFIX;
}

int temporary_file_create(const std::string &path, mode_t mode) {
    std::string name = temporary_name_for(path);
    if (name.size() >= sizeof held_name) {
        errno = ENAMETOOLONG;
        return -1;
    }
    sigset_t before = block_removing();
    install();
    std::memcpy(held_name, name.c_str(), name.size() + 1);
    int fd = mkostemp(held_name, O_CLOEXEC);
    int error = errno;
    if (fd >= 0) {
        held = 1;
        // mkostemp makes the file private; a new file gets what was asked.
        if (fchmod(fd, mode) != 0) {
            error = errno;
            (void)close(fd);
            fd = -1;
        }
    }
    sigprocmask(SIG_SETMASK, &before, nullptr);
    if (fd < 0) {
        release(true);
        errno = error;
    }
    return fd;
}

int temporary_file_commit(const std::string &path) {
    sigset_t before = block_removing();
    int error = std::rename(held_name, path.c_str()) == 0 ? 0 : errno;
    if (error == 0) held = 0;  // the name is path's now
    sigprocmask(SIG_SETMASK, &before, nullptr);
    release(true);
    return error;
}

void temporary_file_discard() { release(true); }
