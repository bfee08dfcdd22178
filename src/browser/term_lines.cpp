#include "browser/term_lines.h"

#include "free_lattice/element_terms.h"

namespace {

// A term line holds this many characters before the next one breaks it.
constexpr int TERM_LINE_LENGTH = 73;

void put_on_line(int ch, void *line) { static_cast<TermLine *>(line)->add_character(ch); }

}  // namespace

void TermLine::print_term(const Lattice &lattice, int e) { walk_term(lattice, e, put_on_line, this); }

void TermLine::add_character(int ch) {
    if (column_ >= TERM_LINE_LENGTH) {
        column_ = 0;
        // The break goes to standard output; with standard output on the
        // console it shows in its place, seven blanks under the "%2d ... "
        // prefix of the build.
        console_.stdout_print("\n       ");
    }
    ++column_;
    console_.put_char(ch);
}

void print_term_line(Console &console, const Lattice &lattice, int e) {
    TermLine line(console);
    line.print_term(lattice, e);
    console.print("\n");
}
