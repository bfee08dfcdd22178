// Elements written as terms over the generators' names: join as "+", meet as
// juxtaposition, generated operands in parentheses.
#pragma once

// Hands the characters of the term of element e to put, in order, each with
// context: the one walk behind the console's terms and the exported ones.
void walk_term(int e, void (*put)(int ch, void *context), void *context);

// Writes the term of element e through put_term_char; no line end.
void print_term(int e);

// After the caller's prefix: the term of e from a fresh term line (breaks
// fall at the same places whatever was printed before), then a line end.
void print_term_line(int e);

// Writes one term character to the console, after a line break on standard
// output when the current term line holds 73 characters already.
void put_term_char(int ch);
