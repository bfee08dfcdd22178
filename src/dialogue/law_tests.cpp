#include "dialogue/law_tests.h"

#include "poset/lattice_laws.h"

void offer_law_tests(Console &console, const Lattice &lattice, AnswerSource &answers) {
    if (!poset_is_lattice(lattice)) return;
    if (!answers.law_tests_wanted()) return;
    LawVerdict verdict = test_lattice_laws(lattice);
    auto name = [&lattice](int e) { return lattice.name(e); };
    if (!verdict.modular) {
        const LawTriple &t = verdict.not_modular;
        console.print("The lattice is not modular. (%c+%c)%c!=%c+(%c%c)\n", name(t.x), name(t.z), name(t.y),
                      name(t.x), name(t.z), name(t.y));
        return;
    }
    console.stdout_print("The lattice is modular.\n");
    if (verdict.distributive) {
        console.stdout_print("The lattice is distributive.\n");
        return;
    }
    const LawTriple &t = verdict.not_distributive;
    console.print("The lattice is not distributive. %c(%c+%c)!=(%c%c)+(%c%c)\n", name(t.x), name(t.y), name(t.z),
                  name(t.x), name(t.y), name(t.x), name(t.z));
}
