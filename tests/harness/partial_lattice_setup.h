// Puts a partial lattice straight into the scripted session's lattice, as
// entry, closure, naming and the meet/join dialogue would leave it, so that
// the build can be tested on its own; and builds it as the program does.
// Call after scripted::start.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "free_lattice/generation.h"

namespace lattice_setup {

// One meet ('.') or join ('+') of two incomparable generators declared
// defined; its value is their bound in the poset, which must exist.
struct DefinedOperation {
    char operation;
    int left;
    int right;
};

// Generators get the indices of their position in names. less holds pairs
// (p, q) meaning p < q; they are closed transitively and must not form a
// cycle. Makes the lattice anew: generators, names (every element the
// naming rule reaches), order, meets and joins. Returns false (and sets
// nothing usable) on a cycle or an undefined bound.
bool set_up(const std::string &names, const std::vector<std::pair<int, int>> &less,
            const std::vector<DefinedOperation> &defined);

// The same from text: chains as typed ("a<b<c a<1<2<c") and the declared
// operations as "b.1 b+2" (space separated, names of generators).
bool set_up(const std::string &names, const std::string &chains, const std::string &defined);

// Names the generators with the given names and every other element as the
// naming rule does.
void name_slots(Lattice &lattice, std::string_view generator_names);

// Builds the free lattice over the scripted lattice, its lines on the
// scripted console, up to limit (the dialogue's by default). Returns the
// number of elements made (limit + 1 when the build stopped at the limit);
// -1 when the build asked for a key.
int build(int limit = 100);

// scripted::start(""), set_up from text, then build(limit); -1 when either
// failed.
int build(const std::string &names, const std::string &chains, const std::string &defined, int limit = 100);

// The term of built element e as the program prints it.
std::string element_term(int e);

}  // namespace lattice_setup
