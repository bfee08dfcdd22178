// The phases in order, above them all: the dialogue at the keyboard, and the
// same phases after a presentation stated beforehand (the command line's).
#pragma once

#include "console/console.h"
#include "lattice/lattice.h"
#include "poset/answer_source.h"

// The dialogue's element limit: a build stops once element 100 is made.
constexpr int DIALOGUE_LIMIT = 100;

// What a front end does between the phases; either hook may be null.
struct SequenceHooks {
    // Once the meets and joins are defined, before the build writes anything.
    void (*defined)(void *context, const Lattice &lattice);
    // Once the build has ended, with the number of elements shown, before
    // anything else is shown.
    void (*built)(void *context, const Lattice &lattice, int shown);
    void *context;
};

// The dialogue: every phase from the banner to the browser. Returns the exit
// status, the action loop's result.
int run_main_sequence(Console &console, Lattice &lattice, const SequenceHooks &hooks);

// For a poset already entered and accepted (names given to every element):
// the law tests and the definition of the partial lattice, answered by
// answers.
void define_presentation(Console &console, Lattice &lattice, AnswerSource &answers, const SequenceHooks &hooks);

// The build with the dialogue's limit, shown on the console; returns the
// number of elements shown, which a build stopped at the limit leaves at
// 100.
int build_result(Console &console, Lattice &lattice, const SequenceHooks &hooks);
