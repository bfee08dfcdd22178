// Writing a whole text to a descriptor, for the console's buffer (and its
// signal handlers) and for the export alike.
#pragma once

#include <cstddef>

// Writes all length bytes to fd: goes on after EINTR, and after EAGAIN (a
// descriptor left non-blocking by whoever shares it) waits until it takes
// more rather than lose the text. Returns 0, or the errno of the failure (EIO
// when the descriptor takes nothing). Async-signal-safe.
int write_all(int fd, const char *bytes, std::size_t length);
