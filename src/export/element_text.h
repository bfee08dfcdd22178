// Elements as text for files: the characters the console shows, in UTF-8.
#pragma once

#include <string>

#include "lattice/lattice.h"

// Whether element e has a name: the names run out after the first 190.
bool element_named(const Lattice &lattice, int e);

// The name of element e, which has one; code page 437 characters from 128
// up.
std::string element_name(const Lattice &lattice, int e);

// The term of element e as the build and the term list print it, in one
// piece: join "+", meet juxtaposition, generated operands in parentheses.
std::string element_term(const Lattice &lattice, int e);
