#include "signals/write_all.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

int write_all(int fd, const char *bytes, std::size_t length) {
    while (length > 0) {
        ssize_t done = write(fd, bytes, length);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0 && errno == EAGAIN) {
            pollfd room = {fd, POLLOUT, 0};
            (void)poll(&room, 1, -1);
            continue;
        }
        if (done <= 0) return done < 0 ? errno : EIO;
        bytes += done;
        length -= static_cast<std::size_t>(done);
    }
    return 0;
}
