// Canonical forms against the independent reference (harness/term_oracle.h):
// the form equals the term, meets the manual's conditions, and is the same
// text for terms made equal by lattice identities and by P's definitions;
// different text exactly for different elements. Textbook forms in FL(3).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "partial_lattice_setup.h"
#include "random_partial_lattice.h"
#include "scripted_console.h"
#include "term_oracle.h"
#include "terms/canonical_form.h"
#include "terms/relations.h"

namespace {

using random_lattice::Random;
using random_lattice::TermTree;
using random_lattice::random_term_tree;
using random_lattice::term_text;

// The canonical form of each term as --canonical prints it, over one graph.
class Canonicals {
public:
    Canonicals() {
        Presentation p;
        presentation_from_lattice(scripted::lattice(), p);
        terms_.reset(p);
    }
    std::string of(const std::string &term) {
        int id = -1;
        RelationError error;
        if (!parse_term(term, terms_, id, error)) return "unread: " + error.reason;
        std::string out;
        terms_.append_text(forms_.of(id), out);
        return out;
    }

private:
    TermGraph terms_;
    OrderDecision decision_{terms_};
    CanonicalForms forms_{terms_, decision_};
};

void set_up(const char *names, const char *chains, const char *defined) {
    scripted::start("");
    ASSERT_TRUE(lattice_setup::set_up(names, chains, defined));
}

TEST(CanonicalForms, TextbookFormsAndFoldsIntoGenerators) {
    struct Case {
        const char *names, *chains, *defined, *term, *form;
    };
    const Case cases[] = {
        {"abc", "", "", "a+ab", "a"},
        {"abc", "", "", "(a+b)(a+c)(a+b+c)", "(a+b)(a+c)"},
        {"abc", "", "", "a(b+c)+ab", "a(b+c)"},
        {"abc", "", "", "ac+ab", "ab+ac"},
        {"abc", "", "", "(b+ac)(a+bc)", "(a+bc)(b+ac)"},
        {"abc", "", "", "a(b+c(a+b))+b", "b+a(b+c(a+b))"},
        {"abc", "", "", "(a+b)(a+c)+(b+c)(a+b)", "a+b"},
        {"abc", "", "", "b(a+c)+a(b+c)+ab", "a(b+c)+b(a+c)"},
        {"abc", "", "", "c(a+b)+b(a+c)+a(b+c)", "a(b+c)+b(a+c)+c(a+b)"},
        // A join of comparable generators is the greater; a meet the less.
        {"ab", "a<b", "", "a+b", "b"},
        {"abc", "a<b", "", "(a+c)b", "b(a+c)"},
        {"abc", "a<b", "", "b(a+c)+a", "b(a+c)"},
        // A defined join or meet folds into its value, also deep inside.
        {"apcbd", "apb cpd", "a+c", "a+c", "p"},
        {"apcbd", "apb cpd", "a+c", "(a+c)(b+d)", "p"},
        {"apcbd", "apb cpd", "a+c", "a+c+bd", "bd"},
        {"abc12", "abc a12c", "b.1", "(b+1)2", "2(b+1)"},
        {"abc12", "abc a12c", "b.1", "b1", "a"},
        {"abc12", "abc a12c", "b.1", "b1+2", "2"},
        // p=a+c is below bd+ef without being written; a+ef is p+ef.
        {"acpbdef", "ap cp ab ad ce cf", "a+c", "p+bd+ef", "bd+ef"},
        {"acpbdef", "ap cp ab ad ce cf", "a+c", "a+ef", "p+ef"},
    };
    for (const Case &c : cases) {
        set_up(c.names, c.chains, c.defined);
        Canonicals canonicals;
        EXPECT_EQ(canonicals.of(c.term), c.form) << c.term << " over " << c.chains << " with " << c.defined;
    }
}

// A defined join or meet of incomparable generators whose value is g, in
// brackets; the name itself when none is.
std::string defined_as(int g, char name) {
    const Lattice &lattice = scripted::lattice();
    int n = lattice.generators();
    for (int i = 0; i < n && g >= 0 && g < n; ++i)
        for (int j = 0; j < n; ++j) {
            if (lattice.leq(i, j) || lattice.leq(j, i)) continue;
            std::string x(1, static_cast<char>(lattice.name(i))), y(1, static_cast<char>(lattice.name(j)));
            if (lattice.join(i, j) == g) return "(" + x + "+" + y + ")";
            if (lattice.meet(i, j) == g) return "(" + x + y + ")";
        }
    return std::string(1, name);
}

// The term again, changed by a lattice identity or by a definition of P:
// idempotence, absorption, or a generator replaced by a defined join or
// meet whose value it is.
std::string equal_variant(const std::string &s, const TermTree &t, Random &random) {
    std::string x = "(" + term_text(random_term_tree(random, 2), random) + ")";
    std::string ps = "(" + s + ")";
    switch (random.below(5)) {
    case 0:
        return ps + "+" + ps;
    case 1:
        return ps + "." + ps;
    case 2:
        return ps + "+" + ps + x;
    case 3:
        return ps + "(" + ps + "+" + x + ")";
    default:
        break;
    }
    std::string out;
    for (char ch : term_text(t, random)) out += defined_as(scripted::lattice().named(static_cast<unsigned char>(ch)), ch);
    return out;
}

TEST(CanonicalForms, AgreeWithTheReferenceOnRandomPartialLattices) {
    int equal_pairs = 0, different_pairs = 0;
    for (std::uint64_t seed = 1; seed <= 120; ++seed) {
        random_lattice::RandomPartialLattice lattice = random_lattice::make_random_partial_lattice(seed);
        Canonicals canonicals;
        term_oracle::Terms oracle(scripted::lattice());
        Random random{seed};
        std::vector<std::pair<int, std::string>> seen;  // a term of the oracle, its form
        for (int k = 0; k < 25; ++k) {
            TermTree tree = random_term_tree(random, 1 + random.below(4));
            std::string s = term_text(tree, random);
            std::string form = canonicals.of(s);
            int term = oracle.read(s), read_form = oracle.read(form);
            ASSERT_GE(read_form, 0) << form << " of " << s << "; " << lattice.describe();
            ASSERT_TRUE(oracle.equal(term, read_form)) << form << " of " << s << "; " << lattice.describe();
            ASSERT_EQ(oracle.canonical_fault(read_form), "") << form << " of " << s << "; " << lattice.describe();
            std::string variant = equal_variant(s, tree, random);
            ASSERT_EQ(canonicals.of(variant), form) << variant << " and " << s << "; " << lattice.describe();
            for (auto &[other, other_form] : seen) {
                bool equal = oracle.equal(term, other);
                ASSERT_EQ(equal, form == other_form) << form << " | " << other_form << "; " << lattice.describe();
                ++(equal ? equal_pairs : different_pairs);
            }
            seen.emplace_back(term, form);
        }
    }
    // Both outcomes are exercised in earnest.
    EXPECT_GT(equal_pairs, 500);
    EXPECT_GT(different_pairs, 5000);
}

// A term alone holds no blank and no sign; #N needs the build's elements.
TEST(CanonicalForms, TermsAloneRefused) {
    set_up("abc", "", "");
    Canonicals canonicals;
    EXPECT_EQ(canonicals.of(" a"), "unread: blanks are not allowed in a term");
    EXPECT_EQ(canonicals.of("a b"), "unread: blanks are not allowed in a term");
    EXPECT_EQ(canonicals.of("a<=b"), "unread: a term has no relation sign");
    EXPECT_EQ(canonicals.of(std::string(RELATION_MAX_LENGTH + 1, 'a')), "unread: term longer than 20000 characters");
}

// The reference is no rubber stamp: it finds each condition broken.
TEST(CanonicalForms, ReferenceFindsPlantedFaults) {
    set_up("acpbdef", "ap cp ab ad ce cf", "a+c");
    term_oracle::Terms oracle(scripted::lattice());
    const char *faulty[][2] = {
        {"b+ab", "(1)"},    {"(b+d)(b+d+e)", "(1)"}, {"b+d+f(b+d)", "(2)"}, {"a+c", "(1)"},
        {"p+bd+ef", "(4)"}, {"bd+f", "order"},       {"(b+d)+e", "same kind"},
    };
    for (auto &[text, condition] : faulty) {
        std::string fault = oracle.canonical_fault(oracle.read(text));
        EXPECT_NE(fault.find(condition), std::string::npos) << text << ": " << fault;
    }
}

}  // namespace
