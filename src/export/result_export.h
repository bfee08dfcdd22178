// The export the command line asks for: the Hasse diagram (--dot FILE) and
// the tables (--json FILE) of the elements shown, written once the build has
// ended. Failures read "freelattice: cannot write FILE: <reason>" on
// standard error.
#pragma once

#include "ending/exit_status.h"
#include "export/result_notes.h"
#include "lattice/lattice.h"

struct ExportRequest {
    const char *dot_path = nullptr;  // null: not asked for
    const char *json_path = nullptr;
    ResultNotes notes;
    // Where a file that cannot be written is noted.
    ExitStatus *exit_status = nullptr;
};

// Checks that each file asked for can be written; reports every one that
// cannot and returns false then.
bool export_prepare(const ExportRequest &request);

// For the sequence's hooks, with the request as context: notes the meets and
// joins declared defined, once they are.
void export_note_definitions(void *request, const Lattice &lattice);

// For the sequence's hooks, with the request as context: writes each file
// asked for, over the first shown elements, whole or not at all, after the
// text the session has shown so far; reports a failure, which makes the exit
// status 2, and goes on.
void export_result(void *request, const Lattice &lattice, int shown);
