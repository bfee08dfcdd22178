#include "ending/end_of_run.h"

#include <cstdio>
#include <cstdlib>

int end_of_run(ConsoleDevice *device, ExitStatus &exit_status, int status) {
    if (device != nullptr) device->close();
    return exit_status.final_status(status);
}

void end_run_now(ConsoleDevice *device, ExitStatus &exit_status, int status, const char *reason) {
    int final = end_of_run(device, exit_status, status);
    // On the way out: a failed message changes nothing about the exit.
    (void)std::fprintf(stderr, "freelattice: %s\n", reason);
    std::exit(final);
}
