// The second front end: a presentation stated on the command line drives the
// dialogue's phases, with no terminal and no keys.
#pragma once

#include "cli/options.h"

// Enters the poset and the declaration, answers the questions from it and
// prints the law test's verdict (for a lattice) and the build on standard
// output, with a last line when the build stopped at the limit. Returns the
// exit status: 0, or 2 after an error on standard error (stdout empty then).
int run_presentation(const CommandLine &line);
