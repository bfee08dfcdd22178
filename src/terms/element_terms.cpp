#include "terms/element_terms.h"

ElementTerms element_terms_from_lattice(const Lattice &lattice, TermGraph &terms, int count) {
    ElementTerms elements;
    for (int e = 0; e < count; ++e) {
        if (e < lattice.generators()) {
            elements.push_back(TermGraph::generator(e));
            continue;
        }
        const TermRecord &r = lattice.term(e);
        std::uint32_t operands[2] = {static_cast<std::uint32_t>(elements[r.left]),
                                     static_cast<std::uint32_t>(elements[r.right])};
        elements.push_back(terms.compound(r.operation == OP_JOIN ? TermKind::JOIN : TermKind::MEET, operands, 2));
    }
    return elements;
}

std::vector<std::string> element_canonical_texts(const Lattice &lattice, int count) {
    Presentation p;
    presentation_from_lattice(lattice, p);
    TermGraph terms;
    terms.reset(p);
    OrderDecision decision(terms);
    CanonicalForms forms(terms, decision);
    ElementTerms elements = element_terms_from_lattice(lattice, terms, count);
    std::vector<std::string> texts;
    for (int term : elements) {
        std::string text;
        terms.append_text(forms.of(term), text);
        texts.push_back(text);
    }
    return texts;
}

FinitenessVerdict finiteness_of_result(const Lattice &lattice) {
    Presentation p;
    presentation_from_lattice(lattice, p);
    // The build's limit: the elements listed less the one made last.
    return finiteness_verdict(p, lattice.closed(), lattice.elements() - 1);
}
