// Puts a partial lattice straight into the workspace, as entry, closure,
// naming and the meet/join dialogue would leave it, so that the build can be
// tested on its own.
#pragma once

#include <string>
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
// as the naming rule does), OrderMatrix, MeetTable and JoinTable. Call after
// scripted::start. Returns false (and sets nothing usable) on a cycle or an
// undefined bound.
bool set_up(const std::string &names, const std::vector<std::pair<int, int>> &less,
            const std::vector<DefinedOperation> &defined);

// The same from text: chains as typed ("a<b<c a<1<2<c") and the declared
// operations as "b.1 b+2" (space separated, names of generators).
bool set_up(const std::string &names, const std::string &chains, const std::string &defined);

// Bounds in the poset just set up (generators only), or -1.
int poset_meet(int i, int j);
int poset_join(int i, int j);

}  // namespace lattice_setup
