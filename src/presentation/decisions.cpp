#include "presentation/decisions.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "presentation/argument_errors.h"
#include "terms/canonical_form.h"
#include "terms/element_terms.h"
#include "terms/presentation.h"
#include "terms/relations.h"
#include "workspace/workspace.h"

namespace {

// A question as read: a relation, or a term with its form to be found.
struct ReadQuestion {
    ParsedRelation relation;
    int term = -1;
};

// The elements the build printed a line for: all of them when it closed,
// one past those shown when it stopped at the limit.
int listed_elements() { return closure_complete != 0 ? shown_count : element_limit + 1; }

}  // namespace

bool questions_need_elements(const std::vector<Question> &questions) {
    for (const Question &q : questions)
        if (!q.relation || std::strchr(q.text, '#') != nullptr) return true;
    return false;
}

int answer_questions(const std::vector<Question> &questions, bool explain, bool with_elements, ResultNotes &notes) {
    Presentation p;
    presentation_from_workspace(p);
    // One graph for every question: terms they share are read once, and the
    // memory grows with the distinct subterms, not with the questions.
    TermGraph terms;
    terms.reset(p);
    ElementTerms elements;
    if (with_elements) elements = element_terms_from_workspace(terms, listed_elements());
    std::vector<ReadQuestion> read(questions.size());
    for (std::size_t k = 0; k < questions.size(); ++k) {
        const Question &q = questions[k];
        RelationError error;
        bool ok = q.relation ? parse_relation(q.text, terms, read[k].relation, error, &elements)
                             : parse_term(q.text, terms, read[k].term, error, &elements);
        if (!ok) {
            argument_error(q.relation ? "--decide" : "--canonical", q.text, "character %zu: %s", error.position,
                           error.reason.c_str());
            return 2;
        }
    }
    OrderDecision decision(terms);
    CanonicalForms forms(terms, decision);
    ElementForms element_forms(forms, elements);
    bool all_hold = true;
    for (std::size_t k = 0; k < questions.size(); ++k) {
        const Question &q = questions[k];
        std::string text = q.text;
        if (q.relation) {
            bool holds = relation_holds(decision, read[k].relation);
            all_hold = all_hold && holds;
            notes.decided = true;
            notes.decisions.push_back({q.text, holds});
            text += holds ? ": true\n" : ": false\n";
            if (explain) explain_relation(decision, read[k].relation, text);
        } else {
            int form = forms.of(read[k].term);
            int element = element_forms.element_of(form);
            std::string canonical;
            terms.append_text(form, SIZE_MAX, canonical);
            notes.canonicalized = true;
            notes.canonical_forms.push_back({q.text, canonical, element + 1});
            text += " = " + canonical;
            if (element >= 0) text += "  (element " + std::to_string(element + 1) + ")";
            text += "\n";
        }
        (void)std::fwrite(text.data(), 1, text.size(), stdout);
    }
    return all_hold ? 0 : 1;
}
