// Whether standard output took everything written to it. A failed write
// (a full disk, a closed descriptor, a pipe whose reader has gone while
// SIGPIPE is ignored) is noted when it happens and reported at the end, so
// that a lost transcript never passes for success.
#pragma once

// Notes a failed write to standard output; the first cause is kept.
void standard_output_failed(int error);

// Writes out what stdio still holds, then, if anything failed along the way,
// says so on standard error ("freelattice: cannot write standard output:
// <reason>") and returns true.
bool standard_output_report_failure();
