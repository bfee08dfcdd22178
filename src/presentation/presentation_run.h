// The second front end: a presentation stated on the command line drives the
// dialogue's phases, with no terminal and no keys.
#pragma once

#include "cli/options.h"
#include "ending/exit_status.h"

// The largest --limit: the limit's elements and the trial past them have
// indices below NO_ELEMENT.
constexpr int LIMIT_MAX = 65533;

// Enters the poset and the declaration, answers the questions from it and
// prints the law test's verdict (for a lattice) and the build on standard
// output, with a line when the build stopped at the limit and one that says
// whether FL(P) is finite; or, with questions (--decide, --canonical,
// --questions), their answers instead, the build made quietly when they or
// the files need its elements. Writes the files asked for, over every
// element made. Returns the exit status: 0, 1 when a relation fails, or 2
// after an error on standard error (standard output empty then, unless
// memory ran out during the build or a line of --questions could not be
// read).
int run_presentation(const CommandLine &line, ExitStatus &exit_status);
