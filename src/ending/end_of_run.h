// The one way out of the program, for a run that ends normally and for one
// that cannot go on (no keyboard, input ended before q): the console device
// closes (its pending output written out, the terminal's attributes put
// back, each failure noted), the failures are told, then the reason the run
// could not go on, if any.
#pragma once

#include "console/console_device.h"
#include "ending/exit_status.h"

// Closes device (none before a session has one) and returns the status to
// end with: status, or 2 when anything failed.
int end_of_run(ConsoleDevice *device, ExitStatus &exit_status, int status);

// The same for a run that cannot go on: after the failures, "freelattice:
// <reason>" on standard error; then the program ends.
[[noreturn]] void end_run_now(ConsoleDevice *device, ExitStatus &exit_status, int status, const char *reason);
