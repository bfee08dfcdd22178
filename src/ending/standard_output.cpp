#include "ending/standard_output.h"

#include <cerrno>
#include <cstdio>

#include "signals/pending_output.h"
#include "ending/exit_status.h"

void standard_output_failed(int error) { exit_status_write_failed(Channel::STANDARD_OUTPUT, error); }

void standard_output_flush_pending() {
    // A failed console flush is noted by the device that owns the console,
    // when it closes: the failure stays.
    (void)output_buffer_flush();
    if (std::fflush(stdout) != 0) standard_output_failed(errno);
}
