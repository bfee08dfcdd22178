// One graph and one decision serving relation after relation, cleared at
// random points (the decision only sometimes: it must forget its pairs by
// itself), answer as the independent decision of the word problem does, and
// explain as a fresh graph and decision do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "partial_lattice_setup.h"
#include "random_partial_lattice.h"
#include "scripted_console.h"
#include "terms/relations.h"
#include "word_problem.h"

namespace {

using random_lattice::Random;

std::string explained(const Presentation &p, const std::string &text) {
    TermGraph terms;
    terms.reset(p);
    ParsedRelation relation;
    RelationError error;
    if (!parse_relation(text, terms, relation, error)) return error.reason;
    OrderDecision decision(terms);
    std::string out;
    explain_relation(decision, relation, out);
    return out;
}

TEST(SharedGraph, AnswersAsTheWordProblemWhereverItIsCleared) {
    const char *signs[] = {"<=", ">=", "="};
    int cleared = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        random_lattice::RandomPartialLattice lattice = random_lattice::make_random_partial_lattice(seed);
        word_problem::FreeLatticeOrder order(scripted::lattice());  // reads P before the build adds to it
        Presentation p;
        presentation_from_lattice(scripted::lattice(), p);
        int elements = lattice_setup::build();
        ASSERT_GT(elements, 0) << lattice.describe();
        elements = elements > 100 ? 100 : elements;
        std::vector<std::string> terms;
        for (int e = 0; e < elements; ++e) terms.push_back(lattice_setup::element_term(e));

        TermGraph shared;
        shared.reset(p);
        OrderDecision decision(shared);
        Random random{seed};
        for (int i = 0; i < 200; ++i) {
            if (int k = random.below(8); k < 2) {
                shared.clear();
                if (k == 0) decision.clear();
                ASSERT_EQ(shared.size(), p.count);
                ASSERT_EQ(decision.remembered(), 0U);
                ++cleared;
            }
            int s = random.below(elements), t = random.below(elements), sign = random.below(3);
            bool expected = sign == 0   ? order.below(s, t)
                            : sign == 1 ? order.below(t, s)
                                        : order.below(s, t) && order.below(t, s);
            std::string text = terms[static_cast<std::size_t>(s)] + signs[sign] + terms[static_cast<std::size_t>(t)];
            ParsedRelation relation;
            RelationError error;
            ASSERT_TRUE(parse_relation(text, shared, relation, error)) << text << ": " << error.reason;
            ASSERT_EQ(relation_holds(decision, relation), expected) << lattice.describe() << ": " << text;
            if (i % 10 == 0) {
                std::string out;
                explain_relation(decision, relation, out);
                ASSERT_EQ(out, explained(p, text)) << lattice.describe() << ": " << text;
            }
        }
    }
    EXPECT_GT(cleared, 1000);
}

}  // namespace
