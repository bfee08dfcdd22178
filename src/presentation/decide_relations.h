// The relations of --decide, read and decided in FL(P) once the partial
// lattice is defined.
#pragma once

#include <vector>

#include "export/result_notes.h"
#include "lattice/lattice.h"

// Reads every relation over the lattice's P first, so that one that cannot
// be read is reported (naming it, the character and why) before anything is
// printed; returns 2 then. Otherwise prints, in the order given, each relation as typed with
// ": true" or ": false", and its explanation when asked; notes the
// decisions for the export and returns 0 when every relation holds, else 1.
int decide_relations(const Lattice &lattice, const std::vector<const char *> &relations, bool explain,
                     ResultNotes &notes);
