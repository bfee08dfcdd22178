// The build's elements as terms of a graph: for "#N" in a term, for the
// canonical form of every element, and for whether FL(P) is finite.
#pragma once

#include <string>
#include <vector>

#include "lattice/lattice.h"
#include "terms/canonical_form.h"
#include "terms/finiteness.h"
#include "terms/relations.h"

// Elements 0..count-1 as the build defines them (a generator, or the join or
// meet of two elements before it), added to terms in index order.
ElementTerms element_terms_from_lattice(const Lattice &lattice, TermGraph &terms, int count);

// The canonical form of each of the first count elements as text, for the
// export.
std::vector<std::string> element_canonical_texts(const Lattice &lattice, int count);

// Whether FL(P) is finite, for the build as it ended.
FinitenessVerdict finiteness_of_result(const Lattice &lattice);
