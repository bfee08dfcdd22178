#include "terms/partial_lattice.h"

namespace {

// An entry past the generators is an element the build made for a meet or
// join that P leaves undefined.
unsigned char defined_value(unsigned char entry, int count) { return entry >= count ? UNDEFINED : entry; }

}  // namespace

void presentation_from_workspace(Presentation &p) {
    p = Presentation{};
    p.count = generator_count;  // at most 62: one letter or digit each
    for (int i = 0; i < p.count; ++i) {
        p.name[i] = NameTable[i];
        for (int j = 0; j < p.count; ++j) {
            if (OrderMatrix[i][j] != 0) {
                p.above[i] |= std::uint64_t{1} << j;
                p.below[j] |= std::uint64_t{1} << i;
            }
            p.meet[i][j] = defined_value(MeetTable[i][j], p.count);
            p.join[i][j] = defined_value(JoinTable[i][j], p.count);
        }
    }
}
