// The meets and joins --define declares defined, and the questions answered
// from that declaration instead of the keyboard.
#pragma once

#include <vector>

#include "poset/answer_source.h"

// Reads the lists (items x.y, x+y, each optionally =v, separated by spaces
// or commas, or all) against the accepted poset in the workspace. Every
// item must name a question the dialogue would ask: incomparable x and y
// whose meet (join) exists, and v must be it. The first invalid item is
// reported on standard error, naming it and why; false then.
bool declare(const std::vector<const char *> &lists);

// Yes to the law tests and to exactly the declared meets and joins; shows
// nothing.
extern const AnswerSource DECLARED_ANSWERS;
