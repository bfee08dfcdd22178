// The questions of --decide and --canonical, read and answered in FL(P) once
// the partial lattice is defined.
#pragma once

#include <vector>

#include "cli/options.h"
#include "export/result_notes.h"

// Whether an answer needs the build's elements: a canonical form tells its
// element, and "#N" in a term names one.
bool questions_need_elements(const std::vector<Question> &questions);

// Reads every question first, so that one that cannot be read is reported
// (naming it, the character and why) before anything is printed; returns 2
// then. Otherwise prints, in the order given, each relation as typed with
// ": true" or ": false", and each term as typed with " = " and its canonical
// form, then "  (element N)" when the build (which with_elements says has
// run) lists its element; each with its explanation when asked. Notes the
// answers for the export and returns 0 when every relation holds, else 1.
int answer_questions(const std::vector<Question> &questions, bool explain, bool with_elements, ResultNotes &notes);
