// Terms are written in full every time, never shared, so a term can be far
// longer than a screen line: put_term_char breaks it into continuation lines.
#include "free_lattice/term_printing.h"

#include "console/console.h"
#include "workspace/workspace.h"

namespace {

// A term line holds this many characters before the next one breaks it.
constexpr int TERM_LINE_LENGTH = 73;

void print_operand(int operand) {
    bool generated = operand >= generator_count;
    if (generated) put_term_char('(');
    print_term(operand);
    if (generated) put_term_char(')');
}

}  // namespace

void print_term(int e) {
    if (e < generator_count) {
        put_term_char(NameTable[e]);
        return;
    }
    const TermRecord &term = TermTable[e];
    print_operand(term.left);
    if (term.operation == OP_JOIN) put_term_char('+');
    print_operand(term.right);
}

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
