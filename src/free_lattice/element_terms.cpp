// Terms are written in full every time, never shared, so a term can be far
// longer than a screen line: put_term_char breaks it into continuation lines.
#include "free_lattice/element_terms.h"

#include "console/console.h"
#include "lattice/lattice.h"

namespace {

// A term line holds this many characters before the next one breaks it.
constexpr int TERM_LINE_LENGTH = 73;

void walk_operand(int operand, void (*put)(int ch, void *context), void *context) {
    bool generated = operand >= generator_count;
    if (generated) put('(', context);
    walk_term(operand, put, context);
    if (generated) put(')', context);
}

void put_on_console(int ch, void * /*context*/) { put_term_char(ch); }

}  // namespace

void walk_term(int e, void (*put)(int ch, void *context), void *context) {
    if (e < generator_count) {
        put(NameTable[e], context);
        return;
    }
    const TermRecord &term = TermTable[e];
    INVARIANT(e < MAX_ELEMENTS && term.left < e && term.right < e);
    walk_operand(term.left, put, context);
    if (term.operation == OP_JOIN) put('+', context);
    walk_operand(term.right, put, context);
}

void print_term(int e) { walk_term(e, put_on_console, nullptr); }

void put_term_char(int ch) {
    if (wrap_column >= TERM_LINE_LENGTH) {
        wrap_column = 0;
        // The break goes to standard output; with standard output on the
        // console it shows in its place, seven blanks under the "%2d ... "
        // prefix of the build.
        stdout_print("\n       ");
    }
    ++wrap_column;
    console_put_char(ch);
}

void print_term_line(int e) {
    wrap_column = 0;
    print_term(e);
    console_print("\n");
}
