// Puts a partial lattice straight into the workspace, as entry, closure,
// naming and the meet/join dialogue would leave it, so that the build can be
// tested on its own; and builds it as the program does. Call after
// scripted::start.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
// cycle. Fills generator_count, NameTable and NameIndex (all 130 slots named
// as the naming rule does), OrderMatrix, MeetTable and JoinTable. Returns
// false (and sets nothing usable) on a cycle or an undefined bound.
bool set_up(const std::string &names, const std::vector<std::pair<int, int>> &less,
            const std::vector<DefinedOperation> &defined);

// The same from text: chains as typed ("a<b<c a<1<2<c") and the declared
// operations as "b.1 b+2" (space separated, names of generators).
bool set_up(const std::string &names, const std::string &chains, const std::string &defined);

// Names the generators with the given names and every other slot as the
// naming rule does; sets generator_count, NameTable and NameIndex.
void name_slots(std::string_view generator_names);

// Builds the free lattice over the workspace on the scripted console with
// the program's limit of 100. Returns the number of elements made:
// shown_count when the lattice closed, 101 when not; -1 when the build
// asked for a key.
int build();

// scripted::start(""), set_up from text, then build(); -1 when either failed.
int build(const std::string &names, const std::string &chains, const std::string &defined);

// The term of built element e as the program prints it.
std::string element_term(int e);

}  // namespace lattice_setup
