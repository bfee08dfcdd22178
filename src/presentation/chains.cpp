#include "presentation/chains.h"

#include <string>
#include <string_view>

#include "poset/names.h"
#include "poset/order_closure.h"
#include "presentation/argument_errors.h"

namespace {

constexpr const char *OPTION = "--poset";

// A space or a line end: LF, or CR LF as a file written elsewhere has them
// (the CR is the separator, the LF after it another).
bool is_separator(std::string_view chains, std::size_t at) {
    char c = chains[at];
    return c == ' ' || c == '\n' || (c == '\r' && at + 1 < chains.size() && chains[at + 1] == '\n');
}

// Stricter than the keyboard, which ignores what means nothing: a stray
// character on a command line is more likely a mistake than a stray key.
bool well_formed(std::string_view chains) {
    for (std::size_t at = 0; at < chains.size(); ++at) {
        auto c = static_cast<unsigned char>(chains[at]);
        if (is_name(c) || is_separator(chains, at)) continue;
        if (c == '<') {
            bool between = at > 0 && at + 1 < chains.size() && is_name(static_cast<unsigned char>(chains[at - 1])) &&
                           is_name(static_cast<unsigned char>(chains[at + 1]));
            if (between) continue;
            argument_error(OPTION, chains, "character %zu: '<' must stand between two names", at + 1);
            return false;
        }
        char shown[12];
        argument_error(OPTION, chains, "character %zu: %s is not a name, '<' or a space", at + 1,
                       shown_character(c, shown));
        return false;
    }
    return true;
}

// A shortest cycle through the first generator that lies on one, in the typed
// relation (before the closure, which would hide the path): "a<b<a". Empty
// when there is none.
std::string cycle_in_typed_relation(const Lattice &lattice) {
    int n = lattice.generators();
    for (int start = 0; start < n; ++start) {
        int reached_from[GENERATORS_MAX];
        int queue[GENERATORS_MAX];
        for (int k = 0; k < n; ++k) reached_from[k] = -1;
        int head = 0;
        int tail = 0;
        queue[tail++] = start;
        // Breadth first, so the first way back to start is a shortest one.
        while (head < tail) {
            int x = queue[head++];
            for (int y = 0; y < n; ++y) {
                if (!lattice.leq(x, y)) continue;
                if (y == start) {
                    std::string cycle(1, static_cast<char>(lattice.name(start)));
                    for (int k = x; k != start; k = reached_from[k]) {
                        cycle.insert(0, 1, '<');
                        cycle.insert(0, 1, static_cast<char>(lattice.name(k)));
                    }
                    cycle.insert(0, 1, '<');
                    cycle.insert(0, 1, static_cast<char>(lattice.name(start)));
                    return cycle;
                }
                if (reached_from[y] != -1) continue;
                reached_from[y] = x;
                queue[tail++] = y;
            }
        }
    }
    return "";
}

}  // namespace

bool enter_chains(const char *chains, Lattice &lattice) {
    std::string_view text = chains;
    if (!well_formed(text)) return false;
    lattice = Lattice();
    int previous = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        auto c = static_cast<unsigned char>(text[at]);
        if (is_name(c)) {
            enter_name(lattice, previous, c);
            previous = c;
        } else if (is_separator(text, at)) {
            previous = 0;
        }
    }
    std::string cycle = cycle_in_typed_relation(lattice);
    if (!cycle.empty()) {
        argument_error(OPTION, text, "the order has a cycle: %s", cycle.c_str());
        return false;
    }
    (void)close_poset(lattice);
    name_free_slots(lattice);
    return true;
}
