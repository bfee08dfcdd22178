// The yes/no questions of the dialogue: one key, read without echo; only y
// or Y means yes, every other key no, and no question is asked again.
#pragma once

#include "console/console.h"

inline bool read_yes() { return to_lower(console_read_key()) == 'y'; }
