// The result's tables as one JSON object, for other programs to read.
#pragma once

#include <string>

// {"generators", "closed", "elements": [{"name", "term"}], "leq", "joins",
// "meets"} over the elements 0..count-1. A join or meet that is unknown, or
// that is an element outside that range (element count, built last at the
// limit), is null. One line per element and per table row.
std::string json_text(int count);
