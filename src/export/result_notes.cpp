#include "export/result_notes.h"

#include "export/element_text.h"

namespace {

// The incomparable pairs with a value, i before j: the questions answered yes.
void note_table(const Lattice &lattice, unsigned char operation, const char *symbol,
                std::vector<std::string> &items) {
    items.clear();
    int n = lattice.generators();
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            Element value = operation == OP_JOIN ? lattice.join(i, j) : lattice.meet(i, j);
            if (lattice.leq(i, j) || lattice.leq(j, i) || value == NO_ELEMENT) continue;
            items.push_back(element_name(lattice, i) + symbol + element_name(lattice, j) + "=" +
                            element_name(lattice, value));
        }
    }
}

}  // namespace

void note_definitions(const Lattice &lattice, ResultNotes &notes) {
    note_table(lattice, OP_MEET, ".", notes.meets);
    note_table(lattice, OP_JOIN, "+", notes.joins);
}
