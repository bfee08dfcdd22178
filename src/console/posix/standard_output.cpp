#include "console/posix/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

int first_failure = 0;

}  // namespace

void standard_output_failed(int error) {
    if (first_failure == 0) first_failure = error != 0 ? error : EIO;
}

bool standard_output_report_failure() {
    if (std::fflush(stdout) != 0) standard_output_failed(errno);
    // stdio keeps its error flag even where the errno of the write is gone.
    if (std::ferror(stdout) != 0) standard_output_failed(EIO);
    if (first_failure == 0) return false;
    (void)std::fprintf(stderr, "freelattice: cannot write standard output: %s\n",
                       std::strerror(first_failure));
    return true;
}
