#include "export/whole_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "export/temporary_file.h"
#include "signals/write_all.h"

namespace {

// Writes a file in place (a pipe, a device, a descriptor of the program's)
// with SIGPIPE blocked, so that a reader who quits makes the write fail with
// EPIPE, told like any other failure, rather than end the program; a
// SIGPIPE left pending by it is taken before the mask is put back.
int write_in_place(int fd, const std::string &content) {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    sigset_t before;
    sigprocmask(SIG_BLOCK, &pipe, &before);
    int error = write_all(fd, content.data(), content.size());
    if (error == EPIPE) {
        const timespec now = {0, 0};
        while (sigtimedwait(&pipe, nullptr, &now) < 0 && errno == EINTR) {
        }
    }
    sigprocmask(SIG_SETMASK, &before, nullptr);
    return error;
}

// Where a path leads: one of the program's own descriptors, or a name in a
// folder with no symbolic link left on the way.
struct Destination {
    int error = 0;
    int descriptor = -1;
    std::string path;
};

// Symbolic links followed before giving up, as the kernel does.
constexpr int MAX_LINKS = 40;

// A descriptor's number; at most nine digits, so that it fits.
bool all_digits(const std::string &text) {
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

// The folder that lists this process's descriptors, as realpath gives it:
// /proc/self/fd and /dev/fd lead to /proc/PID/fd, /proc/thread-self/fd to
// /proc/PID/task/TID/fd.
bool lists_own_descriptors(const std::string &folder) {
    std::string own = "/proc/" + std::to_string(getpid());
    if (folder == own + "/fd") return true;
    std::string task = own + "/task/";
    if (!folder.starts_with(task)) return false;
    std::string tail = folder.substr(task.size());
    return tail.ends_with("/fd") && all_digits(tail.substr(0, tail.size() - 3));
}

Destination destination_of(const char *given) {
    Destination where;
    if (std::strcmp(given, "-") == 0) {
        where.descriptor = STDOUT_FILENO;
        return where;
    }
    std::string path = given;
    for (int links = 0; links <= MAX_LINKS; ++links) {
        std::size_t slash = path.rfind('/');
        std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
        std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        char *real = realpath(folder.c_str(), nullptr);
        if (real == nullptr) {
            where.error = errno;
            return where;
        }
        folder = real;
        std::free(real);
        if (lists_own_descriptors(folder) && all_digits(name)) {
            // At most nine digits: the number fits.
            where.descriptor = static_cast<int>(std::strtol(name.c_str(), nullptr, 10));
            return where;
        }
        std::string full = (folder == "/" ? "" : folder) + "/" + name;
        struct stat status {};
        if (lstat(full.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            where.path = full;
            return where;
        }
        char link[PATH_MAX];
        ssize_t length = readlink(full.c_str(), link, sizeof link - 1);
        if (length < 0) {
            where.error = errno;
            return where;
        }
        link[length] = '\0';
        path = link[0] == '/' ? std::string(link) : folder + "/" + link;
    }
    where.error = ELOOP;
    return where;
}

int writable_descriptor(int fd) {
    int flags = fcntl(fd, F_GETFL);
    if (flags < 0) return errno;
    int access = flags & O_ACCMODE;
    return access == O_WRONLY || access == O_RDWR ? 0 : EBADF;
}


// What is at a path with no link left: its status, or an errno (ENOENT:
// nothing yet).
int status_of(const std::string &path, struct stat &status) {
    int fd = open(path.c_str(), O_PATH | O_CLOEXEC);
    if (fd < 0) return errno;
    // Cannot fail on a descriptor just opened.
    (void)fstat(fd, &status);
    (void)close(fd);
    return 0;
}

// Opens a terminal, pipe or device for writing without waiting: a FIFO
// without a reader would block the open for good.
int open_in_place(const std::string &path, const struct stat &status, int &fd) {
    fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno == ENXIO && S_ISFIFO(status.st_mode) ? WHOLE_FILE_NO_READER : errno;
    // From here on a full pipe is waited for like any other output. (Asking
    // for the flags cannot fail on a descriptor just opened.)
    (void)fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return 0;
}

mode_t new_file_mode() {
    mode_t mask = umask(0);
    (void)umask(mask);
    return 0666 & ~mask;
}

// A sticky folder lets only the owner of a file, or of the folder, remove or
// replace it (a privileged user aside).
int replaceable(const std::string &path, const struct stat &status) {
    std::string folder = path.substr(0, path.rfind('/') + 1);
    struct stat around {};
    if (stat(folder.c_str(), &around) != 0) return errno;
    uid_t me = geteuid();
    bool sticky = (around.st_mode & S_ISVTX) != 0;
    if (sticky && me != 0 && status.st_uid != me && around.st_uid != me) return EPERM;
    return 0;
}

int replace(const std::string &path, mode_t mode, const std::string &content) {
    int fd = temporary_file_create(path, mode);
    if (fd < 0) return errno;
    int error = write_all(fd, content.data(), content.size());
    // On disk before the name points to it, so that a crash leaves the old
    // file or the new one, never a part.
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        temporary_file_discard();
        return error;
    }
    return temporary_file_commit(path);
}

// What a path leads to, for comparing: a file's device and inode, or, where
// nothing is yet, its folder's and the name. known is false when the path
// leads nowhere.
struct Identity {
    bool known = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string name;
};

Identity identity_of(const char *path) {
    Identity identity;
    Destination where = destination_of(path);
    if (where.error != 0) return identity;
    struct stat status {};
    int error = where.descriptor >= 0 ? (fstat(where.descriptor, &status) == 0 ? 0 : errno)
                                      : status_of(where.path, status);
    if (error == ENOENT && where.descriptor < 0) {
        std::size_t slash = where.path.rfind('/');
        identity.name = where.path.substr(slash + 1);
        error = stat(where.path.substr(0, slash + 1).c_str(), &status) == 0 ? 0 : errno;
    }
    if (error != 0) return identity;
    identity.known = true;
    identity.device = status.st_dev;
    identity.inode = status.st_ino;
    return identity;
}

}  // namespace

bool same_target(const char *a, const char *b) {
    Identity first = identity_of(a);
    Identity second = identity_of(b);
    return first.known && second.known && first.device == second.device && first.inode == second.inode &&
           first.name == second.name;
}

const char *whole_file_error_text(int error) {
    return error == WHOLE_FILE_NO_READER ? "no reader" : std::strerror(error);
}

int check_whole_file(const char *path) {
    Destination where = destination_of(path);
    if (where.error != 0) return where.error;
    if (where.descriptor >= 0) return writable_descriptor(where.descriptor);
    struct stat status {};
    int error = status_of(where.path, status);
    if (error == 0) {
        if (S_ISDIR(status.st_mode)) return EISDIR;
        if (!S_ISREG(status.st_mode)) return access(where.path.c_str(), W_OK) == 0 ? 0 : errno;
        error = replaceable(where.path, status);
    } else if (error == ENOENT) {
        error = 0;  // a new file: made beside it, as a replacement is
    }
    if (error != 0) return error;
    int fd = temporary_file_create(where.path, 0600);
    if (fd < 0) return errno;
    (void)close(fd);
    temporary_file_discard();
    return 0;
}

int write_whole_file(const char *path, const std::string &content) {
    Destination where = destination_of(path);
    if (where.error != 0) return where.error;
    if (where.descriptor >= 0) {
        int error = writable_descriptor(where.descriptor);
        return error != 0 ? error : write_in_place(where.descriptor, content);
    }
    struct stat status {};
    int error = status_of(where.path, status);
    if (error == ENOENT) return replace(where.path, new_file_mode(), content);
    if (error != 0) return error;
    if (S_ISDIR(status.st_mode)) return EISDIR;
    if (S_ISREG(status.st_mode)) return replace(where.path, status.st_mode & 0777, content);
    int fd = -1;
    error = open_in_place(where.path, status, fd);
    if (error != 0) return error;
    error = write_in_place(fd, content);
    if (close(fd) != 0 && error == 0) error = errno;
    return error;
}
