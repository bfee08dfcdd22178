#include "export/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

// The file a symbolic link leads to, so that the rename keeps the link; the
// path itself when there is nothing there yet.
std::string resolved(const char *path) {
    char *real = realpath(path, nullptr);
    if (real == nullptr) return path;
    std::string target = real;
    std::free(real);
    return target;
}

enum class Target { REGULAR, FOLDER, DEVICE };

// A regular file or nothing yet; a folder; anything else that can be opened.
Target kind_of(const std::string &target) {
    struct stat status {};
    if (stat(target.c_str(), &status) != 0 || S_ISREG(status.st_mode)) return Target::REGULAR;
    return S_ISDIR(status.st_mode) ? Target::FOLDER : Target::DEVICE;
}

// An empty new file "<target>.XXXXXX" with the permissions open() would give
// a new file (mkstemp makes it private). Its descriptor, or -1 with errno.
int create_temporary(const std::string &target, std::string &name) {
    name = target + ".XXXXXX";
    int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    mode_t mask = umask(0);
    (void)umask(mask);
    if (fchmod(fd, 0666 & ~mask) != 0) {
        int error = errno;
        (void)close(fd);
        (void)unlink(name.c_str());
        errno = error;
        return -1;
    }
    return fd;
}

int write_all(int fd, const std::string &content) {
    std::size_t done = 0;
    while (done < content.size()) {
        ssize_t written = write(fd, content.data() + done, content.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return written < 0 ? errno : EIO;
        done += static_cast<std::size_t>(written);
    }
    return 0;
}

int write_in_place(const std::string &target, const std::string &content) {
    int fd = open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return errno;
    int error = write_all(fd, content);
    if (close(fd) != 0 && error == 0) error = errno;
    return error;
}

}  // namespace

int check_whole_file(const char *path) {
    std::string target = resolved(path);
    switch (kind_of(target)) {
    case Target::FOLDER: return EISDIR;
    case Target::DEVICE: return access(target.c_str(), W_OK) == 0 ? 0 : errno;
    case Target::REGULAR: break;
    }
    std::string temporary;
    int fd = create_temporary(target, temporary);
    if (fd < 0) return errno;
    (void)close(fd);
    (void)unlink(temporary.c_str());
    return 0;
}

int write_whole_file(const char *path, const std::string &content) {
    std::string target = resolved(path);
    switch (kind_of(target)) {
    case Target::FOLDER: return EISDIR;
    case Target::DEVICE: return write_in_place(target, content);
    case Target::REGULAR: break;
    }
    std::string temporary;
    int fd = create_temporary(target, temporary);
    if (fd < 0) return errno;
    int error = write_all(fd, content);
    // On disk before the name points to it, so that a crash leaves the old
    // file or the new one, never a part.
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) (void)unlink(temporary.c_str());
    return error;
}
