// Elements as text for files: the characters the console shows, in UTF-8.
#pragma once

#include <string>

// The name of element e (NameTable), code page 437 characters from 128 up.
std::string element_name(int e);

// The term of element e as the build and the term list print it, in one
// piece: join "+", meet juxtaposition, generated operands in parentheses.
std::string element_term(int e);
