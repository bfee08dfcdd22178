// Standard output next to the console: a failed write (a full disk, a closed
// descriptor, a pipe whose reader has gone while SIGPIPE is ignored) is noted
// when it happens and told when the run ends (ending/exit_status.h).
#pragma once

#include "ending/exit_status.h"

// Writes out the console text still held and what stdio holds, so that
// whatever is written next to either channel comes after them. A failure is
// noted for the end, as any other.
void standard_output_flush_pending(ExitStatus &exit_status);
