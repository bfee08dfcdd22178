#include "dialogue/main_sequence.h"

#include "browser/action_loop.h"
#include "free_lattice/generation.h"
#include "poset/order_closure.h"
#include "dialogue/poset_entry.h"
#include "poset/lattice_laws.h"
#include "poset/defined_operations.h"
#include "lattice/lattice.h"

namespace {

void call(void (*hook)(void *), void *context) {
    if (hook != nullptr) hook(context);
}

}  // namespace

void define_presentation(const AnswerSource &answers, const SequenceHooks &hooks) {
    // Before the dialogue: the law tests borrow the meet and join tables and
    // leave them empty again.
    test_lattice_laws(answers);
    define_partial_lattice(answers);
    call(hooks.defined, hooks.context);
}

void build_result(const SequenceHooks &hooks) {
    element_limit = 100;
    build_free_lattice();
    // A build stopped at the limit shows the first 100 elements.
    if (closure_complete == 0) shown_count = element_limit;
    call(hooks.built, hooks.context);
}

int run_main_sequence(const SequenceHooks &hooks) {
    reset_and_show_banner();
    read_poset();
    // Returns only once an accepted poset stands; it retries entry itself.
    close_and_validate_poset();
    define_presentation(KEYBOARD_ANSWERS, hooks);
    build_result(hooks);
    return action_loop();
}
