// Whether FL(P) is finite, said only where it is proved:
// - when the build closed, FL(P) is what it listed;
// - when P defines no meet or join of incomparable elements, by Wille's
//   theorem: FL(P) is finite exactly when P contains none of 1+1+1, 2+2 and
//   1+4 (as an ordered subset);
// - otherwise infinite when P maps onto one of those, Q, so that FL(P) maps
//   onto the infinite FL(Q): x goes to the join in FL(Q) of the elements of
//   Q below it (or to the meet of those above it), and every meet and join P
//   defines is kept, as the word problem of FL(Q) decides;
// - and else not decided.
#pragma once

#include <string>

#include "terms/partial_lattice.h"

enum class Finiteness : unsigned char { FINITE, INFINITE, UNDECIDED };

struct FinitenessVerdict {
    Finiteness finiteness;
    std::string text;  // the line the program prints, without its line end
};

// closed: the build listed every element; limit: where it stopped when not.
FinitenessVerdict finiteness_verdict(const Presentation &p, bool closed, int limit);
