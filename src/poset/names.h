// Generators' names and the chains they are typed in, and the names of the
// elements the build makes.
#pragma once

#include "lattice/lattice.h"

// Whether code is a name: exactly the 62 ASCII letters and digits, by
// explicit ranges; the locale is never consulted, and codes of 128 and above
// are never names.
constexpr bool is_name(int code) {
    return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
}

// One name of a chain: registers it as the next generator when new and,
// after previous (a name, or 0 at the start of a chain), records previous
// below it in the typed relation.
void enter_name(Lattice &lattice, int previous, int name);

// Names the elements after the generators with the characters of the naming
// sequence that name nothing yet, as far as they go, so that generated
// elements can be shown like generators.
void name_free_slots(Lattice &lattice);

// The character after c in the naming sequence 0-9, A-Z, a-z, 128, 129, ...,
// 255; 0 after 255, where the sequence ends.
int next_name_char(int c);
