// How a term came to its canonical form, as a proof a reader can check.
#pragma once

#include <string>
#include <vector>

#include "terms/canonical_form.h"
#include "terms/order_decision.h"

// Appends one line for each distinct step (as CanonicalForms::of noted
// them, in order), each citing by number the sub-relation it rests on, then the
// numbered paragraphs that prove those (proof.h). With no step: that the
// term is canonical already, or (reordered) only wanted its operands put in
// order.
void explain_canonical(OrderDecision &decision, const std::vector<CanonicalStep> &steps, bool reordered,
                       std::string &text);
