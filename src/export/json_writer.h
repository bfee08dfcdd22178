// The result's tables as one JSON object, for other programs to read.
#pragma once

#include <string>

#include "export/result_notes.h"
#include "lattice/lattice.h"

// {"generators", "closed", "finite", "verdict", "defined": {"meets",
// "joins"}, "elements": [{"name", "term", "canonical"}], "leq", "joins",
// "meets"} over the elements 0..count-1, then "decisions": [{"relation",
// "holds"}] when notes.decided and "canonical_forms": [{"term", "canonical",
// "element"}] when notes.canonicalized.
// An element past the names has the name null. A join or meet that is
// unknown, or that is an element outside that range (element count, built
// last at the limit), is null. One line per element, per table row and per
// decision.
std::string json_text(const Lattice &lattice, int count, const ResultNotes &notes);
