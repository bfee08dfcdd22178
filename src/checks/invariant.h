// Invariants the code relies on, asserted in checked builds (Debug and the
// sanitizer build define FREELATTICE_CHECKS) and compiled away elsewhere, so
// that release builds keep their speed. A broken one names itself on
// standard error and aborts: a crash in a test, never a wrong result passed
// on. Only write(2) and abort(3), so that a signal handler may assert too.
#pragma once

#ifdef FREELATTICE_CHECKS
#include <unistd.h>

#include <cstdlib>
#include <cstring>

[[noreturn]] inline void invariant_broken(const char *condition, const char *file) {
    const char *parts[] = {"freelattice: invariant broken in ", file, ": ", condition, "\n"};
    for (const char *part : parts) (void)!write(2, part, std::strlen(part));
    std::abort();
}

#define INVARIANT(condition) ((condition) ? (void)0 : invariant_broken(#condition, __FILE__))
#else
#define INVARIANT(condition) ((void)0)
#endif
