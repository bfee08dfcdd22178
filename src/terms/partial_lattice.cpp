#include "terms/partial_lattice.h"

namespace {

// An entry past the generators is an element the build made for a meet or
// join that P leaves undefined.
unsigned char defined_value(Element entry, int count) {
    return entry >= count ? UNDEFINED : static_cast<unsigned char>(entry);
}

}  // namespace

void presentation_from_lattice(const Lattice &lattice, Presentation &p) {
    p = Presentation{};
    p.count = lattice.generators();  // at most 62: one letter or digit each
    for (int i = 0; i < p.count; ++i) {
        p.name[i] = lattice.name(i);
        for (int j = 0; j < p.count; ++j) {
            if (lattice.leq(i, j)) {
                p.above[i] |= std::uint64_t{1} << j;
                p.below[j] |= std::uint64_t{1} << i;
            }
            p.meet[i][j] = defined_value(lattice.meet(i, j), p.count);
            p.join[i][j] = defined_value(lattice.join(i, j), p.count);
        }
    }
}
