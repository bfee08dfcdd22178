#include "ending/standard_output.h"

#include <cerrno>
#include <cstdio>

#include "signals/pending_output.h"

void standard_output_flush_pending(ExitStatus &exit_status) {
    // A failed console flush is noted by the device that owns the console,
    // when it closes: the failure stays.
    (void)pending_output_flush();
    if (std::fflush(stdout) != 0) exit_status.write_failed(Channel::STANDARD_OUTPUT, errno);
}
