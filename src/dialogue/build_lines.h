// The build as the dialogue shows it: a numbered line per element made, its
// term, and the count once the lattice closes.
#pragma once

#include "console/console.h"
#include "free_lattice/generation.h"

class BuildLines : public BuildListener {
public:
    explicit BuildLines(Console &console) : console_(console) {}
    // "%2d ... " and the term: elements are numbered from 1.
    void element_made(const Lattice &lattice, int e) override;
    // "The number of elements is N."
    void lattice_closed(const Lattice &lattice) override;

private:
    Console &console_;
};
