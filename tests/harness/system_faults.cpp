// System calls that fail on request, for the fault-injection build of the
// program (freelattice_faults, tests/CMakeLists.txt). The linker sends the
// program's own calls here (-Wl,--wrap=NAME); calls made inside the C
// library (stdio's writes, say) are not the program's and are not seen.
//
// FREELATTICE_FAULTS names the failures, separated by spaces, each as
// KIND:WHICH:ERRNO, where WHICH is the number of the call of that kind (from
// 1), a range FIRST-LAST, FIRST- (from there on) or * (every call):
//   write:3:EIO         the 3rd write fails with EIO
//   rename:*:EXDEV      every rename fails with EXDEV
//   poll:1-2:EINTR      the first two polls return EINTR
// A failed call does nothing and returns -1 with that errno, except close,
// which closes all the same (as Linux does on EINTR and EIO).
// FREELATTICE_FAULT_COUNTS names a file that gets, when the program exits,
// one line "KIND COUNT" for each kind: how often the program made the call.
//
// Handlers call some of these, so everything here is async-signal-safe: the
// environment is read before main, and counters are lock-free atomics.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Each wrapped call: the real one (__real_NAME) and ours (__wrap_NAME),
// which the linker puts in its place.
#define WRAPPED(type, name, ...)             \
    type __real_##name(__VA_ARGS__);         \
    type __wrap_##name(__VA_ARGS__);
extern "C" {
WRAPPED(ssize_t, read, int fd, void *buffer, size_t count)
WRAPPED(ssize_t, write, int fd, const void *buffer, size_t count)
WRAPPED(int, poll, pollfd *fds, nfds_t count, int timeout)
WRAPPED(int, open, const char *path, int flags, ...)
WRAPPED(int, openat, int folder, const char *path, int flags, ...)
WRAPPED(int, mkostemp, char *pattern, int flags)
WRAPPED(int, fsync, int fd)
WRAPPED(int, fchmod, int fd, mode_t mode)
WRAPPED(int, rename, const char *from, const char *to)
WRAPPED(int, close, int fd)
WRAPPED(int, tcgetattr, int fd, termios *attributes)
WRAPPED(int, tcsetattr, int fd, int when, const termios *attributes)
WRAPPED(int, ioctl, int fd, unsigned long request, ...)
WRAPPED(int, sigaction, int sig, const struct sigaction *action, struct sigaction *old)
}
#undef WRAPPED

namespace {

enum Kind { READ, WRITE, POLL, OPEN, MKOSTEMP, FCHMOD, FSYNC, RENAME, CLOSE, TCGETATTR, TCSETATTR, IOCTL, SIGACTION, KINDS };

// ioctl counts only TIOCGWINSZ, the one request the fault list names.
constexpr const char *KIND_NAMES[KINDS] = {"read",      "write",     "poll",  "open",     "mkostemp", "fchmod", "fsync",
                                           "rename",    "close",     "tcgetattr", "tcsetattr", "ioctl", "sigaction"};

struct ErrnoName {
    const char *name;
    int value;
};

constexpr ErrnoName ERRNO_NAMES[] = {
    {"EIO", EIO},       {"EINTR", EINTR},   {"EAGAIN", EAGAIN}, {"ENOSPC", ENOSPC}, {"EXDEV", EXDEV},
    {"EBADF", EBADF},   {"ENOMEM", ENOMEM}, {"EACCES", EACCES}, {"EPERM", EPERM},   {"EFBIG", EFBIG},
    {"EMFILE", EMFILE}, {"ENOTTY", ENOTTY}, {"EINVAL", EINVAL}, {"EROFS", EROFS},   {"EDQUOT", EDQUOT},
    {"ENXIO", ENXIO},   {"ENOENT", ENOENT}, {"ENODEV", ENODEV},
};

struct Fault {
    int kind;
    long first;
    long last;  // LONG_MAX: every call from first on
    int error;
};

constexpr int MAX_FAULTS = 8;
Fault faults[MAX_FAULTS];
int fault_count = 0;
std::atomic<long> calls[KINDS];
char counts_path[4096];
// Off once the program has finished: what the runtime does after that
// (coverage data, say) is not the program's.
std::atomic<bool> armed{false};

int kind_of(const char *name, std::size_t length) {
    for (int kind = 0; kind < KINDS; ++kind) {
        if (std::strlen(KIND_NAMES[kind]) == length && std::strncmp(KIND_NAMES[kind], name, length) == 0) return kind;
    }
    return -1;
}

int errno_of(const char *name, std::size_t length) {
    for (const ErrnoName &known : ERRNO_NAMES) {
        if (std::strlen(known.name) == length && std::strncmp(known.name, name, length) == 0) return known.value;
    }
    return -1;
}

// A list of faults that cannot be read ends the run at once: a test that
// thinks it injects a fault must not pass on a clean run.
[[noreturn]] void refuse(const char *wanted) {
    (void)std::fprintf(stderr, "system_faults: cannot read FREELATTICE_FAULTS='%s'\n", wanted);
    std::_Exit(125);
}

// KIND:WHICH:ERRNO, one item of the list.
bool read_fault(const char *item, std::size_t length, Fault &fault) {
    const char *end = item + length;
    const char *colon = static_cast<const char *>(std::memchr(item, ':', length));
    if (colon == nullptr) return false;
    const char *second = static_cast<const char *>(std::memchr(colon + 1, ':', static_cast<std::size_t>(end - colon - 1)));
    if (second == nullptr) return false;
    fault.kind = kind_of(item, static_cast<std::size_t>(colon - item));
    fault.error = errno_of(second + 1, static_cast<std::size_t>(end - second - 1));
    const char *which = colon + 1;
    if (second - which == 1 && *which == '*') {
        fault.first = 1;
        fault.last = LONG_MAX;
    } else {
        char *rest = nullptr;
        fault.first = std::strtol(which, &rest, 10);
        fault.last = fault.first;
        if (rest < second && *rest == '-') {
            fault.last = rest + 1 == second ? LONG_MAX : std::strtol(rest + 1, &rest, 10);
            if (fault.last != LONG_MAX && rest != second) return false;
        } else if (rest != second) {
            return false;
        }
    }
    return fault.kind >= 0 && fault.error > 0 && fault.first >= 1 && fault.last >= fault.first;
}

__attribute__((constructor)) void read_environment() {
    const char *wanted = std::getenv("FREELATTICE_FAULTS");
    for (const char *at = wanted; at != nullptr && *at != '\0';) {
        while (*at == ' ') ++at;
        std::size_t length = std::strcspn(at, " ");
        if (length == 0) break;
        if (fault_count == MAX_FAULTS || !read_fault(at, length, faults[fault_count])) refuse(wanted);
        ++fault_count;
        at += length;
    }
    const char *path = std::getenv("FREELATTICE_FAULT_COUNTS");
    if (path != nullptr && std::strlen(path) < sizeof counts_path) std::strcpy(counts_path, path);
    armed = true;
}

// Runs after the program's own exit handlers, before the coverage runtime's
// (priority 100) writes its data.
__attribute__((destructor(101))) void write_counts() {
    armed = false;
    if (counts_path[0] == '\0') return;
    int fd = __real_open(counts_path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return;
    for (int kind = 0; kind < KINDS; ++kind) {
        char line[64];
        int length = std::snprintf(line, sizeof line, "%s %ld\n", KIND_NAMES[kind], calls[kind].load());
        (void)!__real_write(fd, line, static_cast<std::size_t>(length));
    }
    (void)__real_close(fd);
}

// Counts a call of kind; returns the errno it is to fail with, or 0.
int injected(Kind kind) {
    if (!armed) return 0;
    long number = ++calls[kind];
    for (int i = 0; i < fault_count; ++i) {
        const Fault &fault = faults[i];
        if (fault.kind == kind && number >= fault.first && number <= fault.last) return fault.error;
    }
    return 0;
}

int fail(int error) {
    errno = error;
    return -1;
}

// open's third argument exists only when the flags create a file.
bool has_mode(int flags) { return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE; }

}  // namespace

extern "C" {

ssize_t __wrap_read(int fd, void *buffer, size_t count) {
    int error = injected(READ);
    return error != 0 ? fail(error) : __real_read(fd, buffer, count);
}

ssize_t __wrap_write(int fd, const void *buffer, size_t count) {
    int error = injected(WRITE);
    return error != 0 ? fail(error) : __real_write(fd, buffer, count);
}

int __wrap_poll(pollfd *fds, nfds_t count, int timeout) {
    int error = injected(POLL);
    return error != 0 ? fail(error) : __real_poll(fds, count, timeout);
}

int __wrap_open(const char *path, int flags, ...) {
    mode_t mode = 0;
    if (has_mode(flags)) {
        std::va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    int error = injected(OPEN);
    return error != 0 ? fail(error) : __real_open(path, flags, mode);
}

int __wrap_openat(int folder, const char *path, int flags, ...) {
    mode_t mode = 0;
    if (has_mode(flags)) {
        std::va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    int error = injected(OPEN);
    return error != 0 ? fail(error) : __real_openat(folder, path, flags, mode);
}

int __wrap_mkostemp(char *pattern, int flags) {
    int error = injected(MKOSTEMP);
    return error != 0 ? fail(error) : __real_mkostemp(pattern, flags);
}

int __wrap_fchmod(int fd, mode_t mode) {
    int error = injected(FCHMOD);
    return error != 0 ? fail(error) : __real_fchmod(fd, mode);
}

int __wrap_fsync(int fd) {
    int error = injected(FSYNC);
    return error != 0 ? fail(error) : __real_fsync(fd);
}

int __wrap_rename(const char *from, const char *to) {
    int error = injected(RENAME);
    return error != 0 ? fail(error) : __real_rename(from, to);
}

int __wrap_close(int fd) {
    int error = injected(CLOSE);
    int result = __real_close(fd);
    return error != 0 ? fail(error) : result;
}

int __wrap_tcgetattr(int fd, termios *attributes) {
    int error = injected(TCGETATTR);
    return error != 0 ? fail(error) : __real_tcgetattr(fd, attributes);
}

int __wrap_tcsetattr(int fd, int when, const termios *attributes) {
    int error = injected(TCSETATTR);
    return error != 0 ? fail(error) : __real_tcsetattr(fd, when, attributes);
}

int __wrap_ioctl(int fd, unsigned long request, ...) {
    std::va_list args;
    va_start(args, request);
    void *argument = va_arg(args, void *);
    va_end(args);
    int error = request == TIOCGWINSZ ? injected(IOCTL) : 0;
    return error != 0 ? fail(error) : __real_ioctl(fd, request, argument);
}

int __wrap_sigaction(int sig, const struct sigaction *action, struct sigaction *old) {
    int error = injected(SIGACTION);
    return error != 0 ? fail(error) : __real_sigaction(sig, action, old);
}

}  // extern "C"
