// The phases in order, above them all: the dialogue at the keyboard, and the
// same phases after a presentation stated beforehand (the command line's).
#pragma once

#include "poset/answer_source.h"

// What a front end does between the phases; any hook may be null.
struct SequenceHooks {
    // Once the meets and joins are defined, before the build writes anything.
    void (*defined)(void *context);
    // Once the build has ended and the number of elements shown is set,
    // before anything else is shown.
    void (*built)(void *context);
    void *context;
};

// The dialogue: every phase from the banner to the browser. Returns the exit
// status, the action loop's result.
int run_main_sequence(const SequenceHooks &hooks);

// For a poset already entered and accepted (names given to every slot): the
// law tests and the definition of the partial lattice, answered by answers.
void define_presentation(const AnswerSource &answers, const SequenceHooks &hooks);

// The build with the program's limit of 100, then the shown count, as the
// dialogue does before browsing.
void build_result(const SequenceHooks &hooks);
