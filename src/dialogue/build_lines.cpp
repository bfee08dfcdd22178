#include "dialogue/build_lines.h"

#include "browser/term_lines.h"

void BuildLines::element_made(const Lattice &lattice, int e) {
    console_.print("%2d ... ", e + 1);
    print_term_line(console_, lattice, e);
}

void BuildLines::lattice_closed(const Lattice &lattice) {
    console_.print("The number of elements is %d.\n", lattice.elements());
}
