// The order is already transitive, so a comparable pair is a cover exactly
// when no third element lies between its ends: one scan per pair, at most
// count^3 probes of the byte matrix.
#include "export/covers.h"

#include "lattice/lattice.h"

namespace {

bool something_between(int lower, int upper, int count) {
    for (int z = 0; z < count; ++z) {
        if (z == lower || z == upper) continue;
        if (OrderMatrix[lower][z] != 0 && OrderMatrix[z][upper] != 0) return true;
    }
    return false;
}

}  // namespace

std::vector<CoveringPair> covering_pairs(int count) {
    std::vector<CoveringPair> pairs;
    for (int lower = 0; lower < count; ++lower) {
        for (int upper = 0; upper < count; ++upper) {
            if (upper == lower || OrderMatrix[lower][upper] == 0) continue;
            if (!something_between(lower, upper, count)) pairs.push_back({lower, upper});
        }
    }
    return pairs;
}
