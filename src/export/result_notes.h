// What the exported result says beyond the tables: the meets and joins
// declared defined, and the relations decided on the command line.
#pragma once

#include <string>
#include <vector>

#include "lattice/lattice.h"

struct DecidedRelation {
    std::string relation;  // as typed
    bool holds;
};

// A term of --canonical as typed, its canonical form, and the number of its
// element in the build (0 when the build does not list it).
struct CanonicalNote {
    std::string term;
    std::string canonical;
    int element;
};

struct ResultNotes {
    // "b.1=a" and "b+1=c", names as UTF-8, in the order the questions come.
    std::vector<std::string> meets;
    std::vector<std::string> joins;
    // Only a run that decided relations lists them, even when there were none.
    bool decided = false;
    std::vector<DecidedRelation> decisions;
    bool canonicalized = false;
    std::vector<CanonicalNote> canonical_forms;
};

// Takes the declared meets and joins from the lattice as the partial
// lattice's definition leaves it, before the build adds to the tables.
// (The answers are noted as they are given.)
void note_definitions(const Lattice &lattice, ResultNotes &notes);
