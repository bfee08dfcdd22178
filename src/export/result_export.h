// The export the command line asks for: the Hasse diagram (--dot FILE) and
// the tables (--json FILE) of the elements shown, written once the build has
// ended. Failures read "freelattice: cannot write FILE: <reason>" on
// standard error.
#pragma once

// Keeps the files asked for (null: not asked for) and checks that each can
// be written; reports every one that cannot and returns false then.
bool export_prepare(const char *dot_path, const char *json_path);

// Writes each file asked for, whole or not at all, after the text the session
// has shown so far; reports a failure, which makes the exit status 2, and
// goes on. Does nothing when none was asked for. For run_main_sequence.
void export_result();
