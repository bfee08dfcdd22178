#include "workspace/main_sequence.h"

#include "browser/action_loop.h"
#include "free_lattice/generation.h"
#include "poset/order_closure.h"
#include "poset/poset_entry.h"
#include "poset_ops/lattice_laws.h"
#include "poset_ops/partial_lattice.h"
#include "workspace/workspace.h"

int run_main_sequence(void (*after_build)()) {
    reset_and_show_banner();
    read_poset();
    // Returns only once an accepted poset stands; it retries entry itself.
    close_and_validate_poset();
    // Before the dialogue: the law tests borrow the meet and join tables and
    // leave them empty again.
    test_lattice_laws();
    define_partial_lattice();
    element_limit = 100;
    build_free_lattice();
    // A build stopped at the limit shows the first 100 elements.
    if (closure_complete == 0) shown_count = element_limit;
    if (after_build != nullptr) after_build();
    return action_loop();
}
