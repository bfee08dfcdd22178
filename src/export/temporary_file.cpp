#include "export/temporary_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "checks/invariant.h"
#include "signals/signals.h"

namespace {

constexpr const char *SUFFIX = ".freelattice-XXXXXX";

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
    int fd = held_file_create(temporary_name_for(path).c_str(), O_CLOEXEC);
    if (fd < 0) return -1;
    // mkostemp makes the file private; a new file gets what was asked.
    if (fchmod(fd, mode) != 0) {
        int error = errno;
        (void)close(fd);
        held_file_remove();
        errno = error;
        return -1;
    }
    return fd;
}

int temporary_file_commit(const std::string &path) {
    int error = held_file_rename(path.c_str());
    held_file_remove();
    return error;
}

void temporary_file_discard() { held_file_remove(); }
