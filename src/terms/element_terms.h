// The build's elements as terms of a graph, read from the workspace: for
// "#N" in a term, the canonical form of every element, and which element a
// term is.
#pragma once

#include <string>
#include <vector>

#include "terms/canonical_form.h"
#include "terms/relations.h"

// Elements 0..count-1 as the build defines them (a generator, or the join or
// meet of two elements before it), added to terms in index order.
ElementTerms element_terms_from_workspace(TermGraph &terms, int count);

// The elements' canonical forms in one graph over P: the element whose
// canonical form is a given canonical term, and each element's form as text.
class ElementForms {
public:
    ElementForms(CanonicalForms &forms, const ElementTerms &elements);
    // The element (0-based) whose canonical form is canonical, or -1.
    int element_of(int canonical) const;
    int form_of(int element) const { return forms_of_[static_cast<std::size_t>(element)]; }

private:
    std::vector<int> forms_of_;       // per element: its canonical term
    std::vector<int> element_of_;     // per term of the graph: the element it is the form of, or -1
};

// The canonical form of each of the first count elements as text, for the
// export.
std::vector<std::string> element_canonical_texts(int count);
