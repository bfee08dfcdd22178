#include "ending/exit_status.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// The first cause stays.
void note_first(int &first, int error) {
    if (first == 0) first = error != 0 ? error : EIO;
}

void tell(const char *what, int error) {
    if (error != 0) (void)std::fprintf(stderr, "freelattice: cannot write %s: %s\n", what, std::strerror(error));
}

}  // namespace

void ExitStatus::write_failed(Channel channel, int error) {
    note_first(channel == Channel::STANDARD_OUTPUT ? standard_output_error_ : terminal_error_, error);
}

void ExitStatus::restore_failed(int error) { note_first(restore_error_, error); }

int ExitStatus::final_status(int status) {
    if (std::fflush(stdout) != 0) write_failed(Channel::STANDARD_OUTPUT, errno);
    // stdio keeps its error flag even where the errno of the write is gone.
    if (std::ferror(stdout) != 0) write_failed(Channel::STANDARD_OUTPUT, EIO);
    tell("standard output", standard_output_error_);
    tell("the terminal", terminal_error_);
    if (restore_error_ != 0) {
        (void)std::fprintf(stderr, "freelattice: cannot restore the terminal: %s\n", std::strerror(restore_error_));
    }
    bool failed = failure_told_ || standard_output_error_ != 0 || terminal_error_ != 0 || restore_error_ != 0;
    return failed ? 2 : status;
}
