#include "terms/element_terms.h"

#include <cstdint>

#include "workspace/workspace.h"

ElementTerms element_terms_from_workspace(TermGraph &terms, int count) {
    ElementTerms elements;
    for (int e = 0; e < count; ++e) {
        if (e < generator_count) {
            elements.push_back(terms.generator(e));
            continue;
        }
        const TermRecord &r = TermTable[e];
        std::uint32_t operands[2] = {static_cast<std::uint32_t>(elements[r.left]),
                                     static_cast<std::uint32_t>(elements[r.right])};
        elements.push_back(terms.compound(r.operation == OP_JOIN ? TermKind::JOIN : TermKind::MEET, operands, 2));
    }
    return elements;
}

std::vector<std::string> element_canonical_texts(int count) {
    Presentation p;
    presentation_from_workspace(p);
    TermGraph terms;
    terms.reset(p);
    OrderDecision decision(terms);
    CanonicalForms forms(terms, decision);
    ElementTerms elements = element_terms_from_workspace(terms, count);
    std::vector<std::string> texts;
    for (int term : elements) {
        std::string text;
        terms.append_text(forms.of(term), text);
        texts.push_back(text);
    }
    return texts;
}

FinitenessVerdict finiteness_of_result() {
    Presentation p;
    presentation_from_workspace(p);
    return finiteness_verdict(p, closure_complete != 0, element_limit);
}
