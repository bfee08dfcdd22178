#include "ending/exit_status.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

int standard_output_error = 0;
int terminal_error = 0;
int restore_error = 0;
bool failure_told = false;

void tell(const char *what, int error) {
    if (error != 0) (void)std::fprintf(stderr, "freelattice: cannot write %s: %s\n", what, std::strerror(error));
}

}  // namespace

void exit_status_write_failed(Channel channel, int error) {
    int &first = channel == Channel::STANDARD_OUTPUT ? standard_output_error : terminal_error;
    if (first == 0) first = error != 0 ? error : EIO;
}

void exit_status_failure_told() { failure_told = true; }

void exit_status_restore_failed(int error) {
    if (restore_error == 0) restore_error = error;
}

int exit_status_final(int status) {
    if (std::fflush(stdout) != 0) exit_status_write_failed(Channel::STANDARD_OUTPUT, errno);
    // stdio keeps its error flag even where the errno of the write is gone.
    if (std::ferror(stdout) != 0) exit_status_write_failed(Channel::STANDARD_OUTPUT, EIO);
    tell("standard output", standard_output_error);
    tell("the terminal", terminal_error);
    if (restore_error != 0) {
        (void)std::fprintf(stderr, "freelattice: cannot restore the terminal: %s\n", std::strerror(restore_error));
    }
    bool failed = failure_told || standard_output_error != 0 || terminal_error != 0 || restore_error != 0;
    return failed ? 2 : status;
}
