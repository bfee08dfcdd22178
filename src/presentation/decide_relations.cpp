#include "presentation/decide_relations.h"

#include <cstdio>
#include <string>

#include "presentation/argument_errors.h"
#include "terms/partial_lattice.h"
#include "terms/relations.h"

int decide_relations(const Lattice &lattice, const std::vector<const char *> &relations, bool explain,
                     ResultNotes &notes) {
    Presentation p;
    presentation_from_lattice(lattice, p);
    std::vector<ParsedRelation> parsed(relations.size());
    for (std::size_t k = 0; k < relations.size(); ++k) {
        RelationError error;
        if (!parse_relation(p, relations[k], parsed[k], error)) {
            argument_error("--decide", relations[k], "character %zu: %s", error.position, error.reason.c_str());
            return 2;
        }
    }
    notes.decided = true;
    bool all_hold = true;
    for (std::size_t k = 0; k < relations.size(); ++k) {
        bool holds = relation_holds(p, parsed[k]);
        all_hold = all_hold && holds;
        notes.decisions.push_back({relations[k], holds});
        std::string text = relations[k];
        text += holds ? ": true\n" : ": false\n";
        if (explain) explain_relation(p, parsed[k], text);
        (void)std::fwrite(text.data(), 1, text.size(), stdout);
    }
    return all_hold ? 0 : 1;
}
