// Fuzzes the whole program: keys from the fuzz input drive every phase from
// the banner to q, and the workspace is checked after each phase.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "browser/action_loop.h"
#include "console/console.h"
#include "free_lattice/generation.h"
#include "fuzz_console.h"
#include "poset/order_closure.h"
#include "dialogue/poset_entry.h"
#include "poset/lattice_laws.h"
#include "poset/defined_operations.h"
#include "lattice/lattice.h"
#include "workspace_checks.h"

namespace {

using namespace workspace_checks;

constexpr int KEY_CR = 13;

// The relation as typed, taken at every key read of poset entry: the last
// one is the relation of the entry that just ended (its closing Enter
// changes nothing).
unsigned char typed[62 * 62];
int typed_count = 0;
int banners_at_last_key = 0;

void snapshot_typed() {
    int n = generator_count;
    if (n < 0 || n > 62) fail("generator_count outside 0..62");
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) typed[a * n + b] = OrderMatrix[a][b];
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
    for (int a = 0; a < generator_count; ++a)
        for (int b = 0; b < generator_count; ++b) poset_order[a][b] = OrderMatrix[a][b];
}

void check_poset_order_kept() {
    for (int a = 0; a < generator_count; ++a)
        for (int b = 0; b < generator_count; ++b)
            if (OrderMatrix[a][b] != poset_order[a][b]) fail("the order of the generators changed");
}

LatticeWorkspace before_browsing;

void run_phases() {
    fuzz_console::set_fallback_key(KEY_CR);
    fuzz_console::set_key_observer(observe_entry_key);

    reset_and_show_banner();
    check_reset();
    if (fuzz_console::banners_printed() != 1) fail("the banner was not printed once");

    read_poset();
    if (generator_count < 0 || generator_count > 62) fail("generator_count outside 0..62");
    check_names(generator_count);
    for (int r = 0; r < MAX_ELEMENTS; ++r)
        for (int c = 0; c < MAX_ELEMENTS; ++c)
            if ((r >= generator_count || c >= generator_count) && OrderMatrix[r][c] != 0)
                fail("order outside the generators");

    banners_at_last_key = fuzz_console::banners_printed();
    fuzz_console::set_key_observer(observe_retry_key);
    close_and_validate_poset();
    if (has_cycle(typed, typed_count)) fail("a cyclic poset was accepted");
    int n = generator_count;
    if (n != typed_count) fail("generator_count differs from the names typed");
    check_closure_of(typed, n);
    check_partial_order(n);
    check_names(MAX_ELEMENTS);
    check_generated_names();
    check_tables_empty();
    save_poset_order();

    fuzz_console::set_key_observer(nullptr);
    fuzz_console::set_fallback_key('n');
    test_lattice_laws();
    bool offered = fuzz_console::law_offers_shown() == 1;
    if (fuzz_console::law_offers_shown() > 1) fail("the law tests were offered twice");
    if (offered != poset_is_lattice(n)) fail("law tests offered to a non-lattice, or not to a lattice");
    check_tables_empty();
    check_poset_order_kept();
    check_names(MAX_ELEMENTS);

    define_partial_lattice();
    if (fuzz_console::answers_shown() != incomparable_pairs_with_bounds(n))
        fail("not one question per incomparable pair with a bound");
    check_poset_order_kept();
    check_operation_tables(n);
    check_names(MAX_ELEMENTS);

    fuzz_console::set_fallback_key(-1);
    element_limit = 100;
    build_free_lattice();
    int built = closure_complete != 0 ? shown_count : element_limit + 1;
    if (built < n || built > element_limit + 1) fail("element count outside generators..limit");
    check_partial_order(built);
    check_poset_order_kept();
    check_terms(built);
    check_operation_tables(built);
    if (closure_complete != 0) check_closed(built);
    check_names(MAX_ELEMENTS);
    if (closure_complete == 0) shown_count = element_limit;

    fuzz_console::set_fallback_key('q');
    before_browsing = lattice_workspace;
    int status = action_loop();
    if (status != 1) fail("the action loop did not end with status 1");
    // The browser only reads, apart from the term printer's column.
    before_browsing.wrap_column = wrap_column;
    if (!same_workspace(before_browsing, lattice_workspace))
        fail("the browser changed the workspace");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::memset(&lattice_workspace, 0, sizeof lattice_workspace);
    // The first start chooses the console device, which console_close needs.
    fuzz_console::start(data, size);
    // Forgets a key code left pending by the last run.
    console_close();
    run_phases();
    console_close();
    return 0;
}
