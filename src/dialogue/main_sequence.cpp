#include "dialogue/main_sequence.h"

#include "browser/action_loop.h"
#include "dialogue/build_lines.h"
#include "dialogue/keyboard_answers.h"
#include "dialogue/law_tests.h"
#include "dialogue/poset_entry.h"
#include "free_lattice/generation.h"
#include "poset/defined_operations.h"

void define_presentation(Console &console, Lattice &lattice, AnswerSource &answers, const SequenceHooks &hooks) {
    offer_law_tests(console, lattice, answers);
    define_partial_lattice(lattice, answers);
    if (hooks.defined != nullptr) hooks.defined(hooks.context, lattice);
}

int build_result(Console &console, Lattice &lattice, const SequenceHooks &hooks) {
    BuildLines lines(console);
    // The lattice holds the dialogue's elements from the start: this build
    // never needs more memory.
    BuildEnd end = build_free_lattice(lattice, DIALOGUE_LIMIT, &lines);
    INVARIANT(end != BuildEnd::NO_MEMORY);
    // A build stopped at the limit shows the first 100 elements.
    int shown = end == BuildEnd::CLOSED ? lattice.elements() : DIALOGUE_LIMIT;
    if (hooks.built != nullptr) hooks.built(hooks.context, lattice, shown);
    return shown;
}

int run_main_sequence(Console &console, Lattice &lattice, const SequenceHooks &hooks) {
    reset_and_show_banner(console, lattice);
    read_poset(console, lattice);
    // Returns only once an accepted poset stands; it retries entry itself.
    close_and_validate_poset(console, lattice);
    KeyboardAnswers answers(console, lattice);
    define_presentation(console, lattice, answers, hooks);
    int shown = build_result(console, lattice, hooks);
    return action_loop(console, lattice, shown);
}
