// The second front end: a presentation stated on the command line drives the
// dialogue's phases, with no terminal and no keys.
#pragma once

#include <vector>

#include "cli/options.h"

// What the command line states: the poset as chains, the lists of meets and
// joins declared defined, the questions about terms (in order), and the
// files.
struct PresentationRequest {
    const char *chains = nullptr;
    std::vector<const char *> defines;
    std::vector<Question> questions;
    const char *questions_path = nullptr;
    bool explain = false;
    const char *dot_path = nullptr;
    const char *json_path = nullptr;
};

// Enters the poset and the declaration, answers the questions from it and
// prints the law test's verdict (for a lattice) and the build on standard
// output, with a last line when the build stopped at the limit; or, with
// questions, their answers instead. Writes the files asked for. Returns the
// exit status: 0, 1 when a relation fails, or 2 after an error on standard
// error (standard output empty then).
int run_presentation(const PresentationRequest &stated);
