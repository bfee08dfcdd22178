// Fuzzes the whole program: keys from the fuzz input drive every phase from
// the banner to q, and the lattice is checked after each phase.
#include <cstddef>
#include <cstdint>

#include "browser/action_loop.h"
#include "dialogue/build_lines.h"
#include "dialogue/keyboard_answers.h"
#include "dialogue/law_tests.h"
#include "dialogue/main_sequence.h"
#include "dialogue/poset_entry.h"
#include "free_lattice/generation.h"
#include "fuzz_console.h"
#include "lattice/lattice.h"
#include "poset/defined_operations.h"
#include "workspace_checks.h"

namespace {

using namespace workspace_checks;

// The run's lattice, which the checks watch.
Lattice the_lattice;

constexpr int KEY_CR = 13;

// The relation as typed, taken at every key read of poset entry: the last
// one is the relation of the entry that just ended (its closing Enter
// changes nothing).
unsigned char typed[62 * 62];
int typed_count = 0;
int banners_at_last_key = 0;

void snapshot_typed() {
    int n = the_lattice.generators();
    if (n < 0 || n > 62) fail("generator_count outside 0..62");
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) typed[a * n + b] = the_lattice.leq(a, b) ? 1 : 0;
    typed_count = n;
}

void observe_entry_key() { snapshot_typed(); }

// During closure a key is only read by a new entry after a rejection: the
// relation typed before the new banner must have had a cycle.
void observe_retry_key() {
    int banners = fuzz_console::banners_printed();
    if (banners != banners_at_last_key) {
        if (!has_cycle(typed, typed_count)) fail("an acyclic poset was rejected");
        banners_at_last_key = banners;
    }
    snapshot_typed();
}

unsigned char poset_order[62][62];

void save_poset_order() {
    for (int a = 0; a < the_lattice.generators(); ++a)
        for (int b = 0; b < the_lattice.generators(); ++b) poset_order[a][b] = the_lattice.leq(a, b) ? 1 : 0;
}

void check_poset_order_kept() {
    for (int a = 0; a < the_lattice.generators(); ++a)
        for (int b = 0; b < the_lattice.generators(); ++b)
            if ((the_lattice.leq(a, b) ? 1 : 0) != poset_order[a][b]) fail("the order of the generators changed");
}

Lattice before_browsing;

void run_phases() {
    Console &console = fuzz_console::console();
    Lattice &lattice = the_lattice;
    fuzz_console::set_fallback_key(KEY_CR);
    fuzz_console::set_key_observer(observe_entry_key);

    reset_and_show_banner(console, lattice);
    check_reset();
    if (fuzz_console::banners_printed() != 1) fail("the banner was not printed once");

    read_poset(console, lattice);
    if (lattice.generators() < 0 || lattice.generators() > 62) fail("more than 62 generators");
    check_names(lattice.generators());
    for (int r = 0; r < lattice.capacity(); ++r)
        for (int c = 0; c < lattice.capacity(); ++c)
            if ((r >= lattice.generators() || c >= lattice.generators()) && lattice.leq(r, c))
                fail("order outside the generators");

    banners_at_last_key = fuzz_console::banners_printed();
    fuzz_console::set_key_observer(observe_retry_key);
    close_and_validate_poset(console, lattice);
    if (has_cycle(typed, typed_count)) fail("a cyclic poset was accepted");
    int n = lattice.generators();
    if (n != typed_count) fail("the generators differ from the names typed");
    check_closure_of(typed, n);
    check_partial_order(n);
    check_names(NAMES_MAX);
    check_generated_names();
    check_tables_empty();
    save_poset_order();

    fuzz_console::set_key_observer(nullptr);
    fuzz_console::set_fallback_key('n');
    KeyboardAnswers answers(console, lattice);
    offer_law_tests(console, lattice, answers);
    bool offered = fuzz_console::law_offers_shown() == 1;
    if (fuzz_console::law_offers_shown() > 1) fail("the law tests were offered twice");
    if (offered != poset_is_lattice(n)) fail("law tests offered to a non-lattice, or not to a lattice");
    check_tables_empty();
    check_poset_order_kept();
    check_names(NAMES_MAX);

    define_partial_lattice(lattice, answers);
    if (fuzz_console::answers_shown() != incomparable_pairs_with_bounds(n))
        fail("not one question per incomparable pair with a bound");
    check_poset_order_kept();
    check_operation_tables(n);
    check_names(NAMES_MAX);

    fuzz_console::set_fallback_key(-1);
    BuildLines lines(console);
    BuildEnd end = build_free_lattice(lattice, DIALOGUE_LIMIT, &lines);
    int built = lattice.elements();
    if (end == BuildEnd::NO_MEMORY) fail("no memory for the dialogue's build");
    if ((end == BuildEnd::CLOSED) != lattice.closed()) fail("the build's end and the lattice disagree");
    if (built < n || built > DIALOGUE_LIMIT + 1) fail("element count outside generators..limit");
    check_partial_order(built);
    check_poset_order_kept();
    check_terms(built);
    check_operation_tables(built);
    if (lattice.closed()) check_closed(built);
    check_names(NAMES_MAX);
    int shown = lattice.closed() ? built : DIALOGUE_LIMIT;

    fuzz_console::set_fallback_key('q');
    before_browsing = lattice;
    int status = action_loop(console, lattice, shown);
    if (status != 1) fail("the action loop did not end with status 1");
    if (!same_lattice(before_browsing, lattice)) fail("the browser changed the lattice");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // A new console, with no key code left pending by the last run.
    fuzz_console::start(data, size);
    watch(the_lattice);
    run_phases();
    fuzz_console::console().close();
    return 0;
}
