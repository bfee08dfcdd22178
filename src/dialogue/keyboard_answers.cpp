#include "dialogue/keyboard_answers.h"

bool KeyboardAnswers::read_yes() { return to_lower(console_.read_key()) == 'y'; }

bool KeyboardAnswers::law_tests_wanted() {
    console_.stdout_print("\nTHIS POSET IS A LATTICE. Do you wish to know if it is modular ");
    console_.stdout_print("or distributive?\n");
    return read_yes();
}

// The answer is shown after the question; the key itself is not echoed.
bool KeyboardAnswers::bound_defined(int i, char symbol, int j, int m) {
    console_.print("\n Is %c%c%c=%c defined? (Y/N) ", lattice_.name(i), symbol, lattice_.name(j), lattice_.name(m));
    if (read_yes()) {
        console_.print("  YES, defined");
        return true;
    }
    console_.print("  NO, undefined");
    return false;
}

void KeyboardAnswers::questions_done() { console_.print("\nWE HAVE DEFINED A PARTIAL LATTICE\n"); }
