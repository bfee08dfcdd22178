#include "poset/answer_source.h"

#include "console/console.h"
#include "lattice/lattice.h"

namespace {

bool read_yes() { return to_lower(console_read_key()) == 'y'; }

bool offer_law_tests() {
    stdout_print("\nTHIS POSET IS A LATTICE. Do you wish to know if it is modular ");
    stdout_print("or distributive?\n");
    return read_yes();
}

// The answer is shown after the question; the key itself is not echoed.
bool ask_bound(int i, char symbol, int j, int m) {
    console_print("\n Is %c%c%c=%c defined? (Y/N) ", NameTable[i], symbol, NameTable[j], NameTable[m]);
    if (read_yes()) {
        console_print("  YES, defined");
        return true;
    }
    console_print("  NO, undefined");
    return false;
}

void confirm_definition() { console_print("\nWE HAVE DEFINED A PARTIAL LATTICE\n"); }

}  // namespace

const AnswerSource KEYBOARD_ANSWERS = {offer_law_tests, ask_bound, confirm_definition};
