// Terms on the console, as the build and the term list show them: written in
// full, so a term can be far longer than a screen line and is broken into
// continuation lines.
#pragma once

#include "console/console.h"
#include "lattice/lattice.h"

// One term line: its characters go to the console, and the breaks of a long
// term to standard output.
class TermLine {
public:
    explicit TermLine(Console &console) : console_(console) {}

    // Writes the term of element e; no line end.
    void print_term(const Lattice &lattice, int e);

    // Writes one term character, after a line break on standard output when
    // the line holds 73 characters already.
    void add_character(int ch);

    // Characters on the line since the last break.
    int column() const { return column_; }

private:
    Console &console_;
    int column_ = 0;
};

// After the caller's prefix: the term of e from a fresh term line (breaks
// fall at the same places whatever was printed before), then a line end.
void print_term_line(Console &console, const Lattice &lattice, int e);
