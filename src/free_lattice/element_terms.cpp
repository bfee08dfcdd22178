// Terms are written in full every time, never shared.
#include "free_lattice/element_terms.h"

namespace {

// NOLINTNEXTLINE(misc-no-recursion): operands precede their term, so the depth is below the element count.
void walk_operand(const Lattice &lattice, int operand, void (*put)(int ch, void *context), void *context) {
    bool generated = operand >= lattice.generators();
    if (generated) put('(', context);
    walk_term(lattice, operand, put, context);
    if (generated) put(')', context);
}

}  // namespace

// NOLINTNEXTLINE(misc-no-recursion): bounded as walk_operand is.
void walk_term(const Lattice &lattice, int e, void (*put)(int ch, void *context), void *context) {
    if (e < lattice.generators()) {
        put(lattice.name(e), context);
        return;
    }
    const TermRecord &term = lattice.term(e);
    INVARIANT(e < lattice.capacity() && term.left < e && term.right < e);
    walk_operand(lattice, term.left, put, context);
    if (term.operation == OP_JOIN) put('+', context);
    walk_operand(lattice, term.right, put, context);
}
