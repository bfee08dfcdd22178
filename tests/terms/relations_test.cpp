// The decision of relations between terms, against the built free lattice
// where it closes (terms evaluated through its join and meet tables, the
// answer read from its order), against textbook facts of FL(3), and the
// relations the parser refuses, with the position and the reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "partial_lattice_setup.h"
#include "random_partial_lattice.h"
#include "scripted_console.h"
#include "terms/relations.h"
#include "lattice/lattice.h"

namespace {

Lattice &lattice() { return scripted::lattice(); }

using random_lattice::Random;

// The verdict on text, or the parser's complaint as "N: reason".
std::string decide(const Presentation &p, const std::string &text) {
    TermGraph terms;
    terms.reset(p);
    ParsedRelation relation;
    RelationError error;
    if (!parse_relation(text, terms, relation, error)) return std::to_string(error.position) + ": " + error.reason;
    OrderDecision decision(terms);
    return relation_holds(decision, relation) ? "true" : "false";
}

// A random term over the generators with its value in the built lattice.
// Parentheses where the syntax needs them, and at random elsewhere; meets
// written both ways.
struct EvaluatedTerm {
    std::string text;
    int value;
    bool join;  // a join at the top: a meet must parenthesise it
};

EvaluatedTerm random_term(Random &random, int depth) {
    if (depth == 0 || random.below(3) == 0) {
        int g = random.below(lattice().generators());
        return {std::string(1, static_cast<char>(lattice().name(g))), g, false};
    }
    bool join = random.below(2) == 0;
    EvaluatedTerm whole{"", -1, join};
    int operands = 2 + random.below(2);
    for (int i = 0; i < operands; ++i) {
        EvaluatedTerm operand = random_term(random, depth - 1);
        bool parentheses = (!join && operand.join) || random.below(6) == 0;
        if (i > 0 && join) whole.text += '+';
        if (i > 0 && !join && random.below(3) == 0) whole.text += '.';
        whole.text += parentheses ? "(" + operand.text + ")" : operand.text;
        whole.value = i == 0 ? operand.value
                             : join ? lattice().join(whole.value, operand.value)
                                    : lattice().meet(whole.value, operand.value);
    }
    return whole;
}

// Every pair of built elements, each written as the program prints it, and
// random terms: the decision must agree with the build's order. Returns the
// first disagreement, or "".
std::string check_against_build(const Presentation &p, int elements, std::uint64_t seed) {
    std::vector<std::string> terms;
    for (int e = 0; e < elements; ++e) terms.push_back(lattice_setup::element_term(e));
    for (int s = 0; s < elements; ++s)
        for (int t = 0; t < elements; ++t) {
            std::string relation = terms[static_cast<std::size_t>(s)] + "<=" + terms[static_cast<std::size_t>(t)];
            if (decide(p, relation) != (lattice().leq(s, t) != 0 ? "true" : "false")) return relation;
        }
    if (lattice().closed() == 0) return "";
    Random random{seed};
    for (int i = 0; i < 100; ++i) {
        EvaluatedTerm s = random_term(random, 4);
        EvaluatedTerm t = random_term(random, 4);
        const char *sign[] = {"<=", ">=", "="};
        bool expected[] = {lattice().leq(s.value, t.value) != 0, lattice().leq(t.value, s.value) != 0,
                           s.value == t.value};
        for (int k = 0; k < 3; ++k) {
            std::string relation = s.text + sign[k] + (k == 1 ? " " : "") + t.text;
            if (decide(p, relation) != (expected[k] ? "true" : "false")) return relation;
        }
    }
    return "";
}

struct KnownPresentation {
    const char *label;
    const char *names;
    const char *chains;
    const char *defined;
};

const KnownPresentation known_presentations[] = {
    {"two incomparable", "ab", "", ""},
    {"a chain", "abc", "a<b<c", ""},
    {"1+3", "abcd", "b<c<d", ""},
    {"pentagon", "abc12", "abc a12c", ""},
    {"pentagon b.1 defined", "abc12", "abc a12c", "b.1"},
    {"pentagon b.2 b+1", "abc12", "abc a12c", "b.2 b+1"},
    {"pentagon all defined", "abc12", "abc a12c", "b.1 b.2 b+1 b+2"},
    {"diamond all defined", "abcde", "abe ace ade", "b.c b.d c.d b+c b+d c+d"},
    {"2+2 at the limit", "abcd", "ab cd", ""},
    {"three incomparable at the limit", "abc", "", ""},
};

TEST(RelationsDecided, AgreeWithTheBuildOfKnownPresentations) {
    for (const KnownPresentation &known : known_presentations) {
        scripted::start("");
        ASSERT_TRUE(lattice_setup::set_up(known.names, known.chains, known.defined)) << known.label;
        Presentation p;
        presentation_from_lattice(scripted::lattice(), p);
        int elements = lattice_setup::build();
        ASSERT_GT(elements, 0) << known.label;
        EXPECT_EQ(check_against_build(p, elements > 100 ? 100 : elements, 1), "") << known.label;
    }
}

TEST(RelationsDecided, AgreeWithTheBuildOfRandomPartialLattices) {
    int closed = 0;
    for (std::uint64_t seed = 1; seed <= 150; ++seed) {
        random_lattice::RandomPartialLattice random = random_lattice::make_random_partial_lattice(seed);
        Presentation p;
        presentation_from_lattice(scripted::lattice(), p);
        int elements = lattice_setup::build();
        if (lattice().closed() == 0) continue;
        ++closed;
        ASSERT_EQ(check_against_build(p, elements, seed), "") << random.describe();
        // Read after the build, P may show more meets and joins defined,
        // those that FL(P) resolved to generators: the decisions stay.
        Presentation after;
        presentation_from_lattice(scripted::lattice(), after);
        ASSERT_EQ(check_against_build(after, elements, seed), "") << random.describe();
    }
    EXPECT_GT(closed, 30);
}

struct Textbook {
    const char *relation;
    const char *verdict;
};

// FL(3): infinite, so beyond the build; a b c incomparable, nothing defined.
const Textbook free_lattice_on_three[] = {
    {"a(b+c)<=ab+ac", "false"},
    {"ab+ac<=a(b+c)", "true"},
    {"a+bc>=(a+b)(a+c)", "false"},
    {"a+bc <= (a+b)(a+c)", "true"},
    {"(a+b)(a+c)(b+c)<=ab+ac+bc", "false"},
    {"ab+ac+bc<=(a+b)(a+c)(b+c)", "true"},
    {"(a+b)(a+c)(b+c)=ab+ac+bc", "false"},
    {"a(a+b)=a", "true"},
    {"a+ab = a", "true"},
    {"a.b.c=(ab)c", "true"},
    {"a(b+c(a+b))<=a(b+c)", "true"},
    {"a(b+ac)=a(b+c)", "false"},
};

TEST(RelationsDecided, TextbookCasesInTheFreeLatticeOnThree) {
    scripted::start("");
    ASSERT_TRUE(lattice_setup::set_up("abc", "", ""));
    Presentation p;
    presentation_from_lattice(scripted::lattice(), p);
    for (const Textbook &t : free_lattice_on_three) EXPECT_EQ(decide(p, t.relation), t.verdict) << t.relation;
}

struct BadRelation {
    std::string text;
    const char *complaint;  // "position: reason"
};

TEST(RelationsRefused, ArePlacedAndExplained) {
    scripted::start("");
    ASSERT_TRUE(lattice_setup::set_up("abc12", "abc a12c", ""));
    Presentation p;
    presentation_from_lattice(scripted::lattice(), p);
    const BadRelation bad[] = {
        {"", "1: empty term"},
        {"<=a", "1: empty term"},
        {"a<=", "4: empty term"},
        {"  = a", "1: empty term"},
        {"   ", "1: empty term"},
        {"a<=b+ ", "6: term expected after '+'"},
        {"( a)<=b", "2: term expected after '('"},
        {" a<=b", "1: blanks are allowed only around the relation sign"},
        {"a b<=c", "2: blanks are allowed only around the relation sign"},
        {"a<=b ", "5: blanks are allowed only around the relation sign"},
        {"a<=b c", "5: blanks are allowed only around the relation sign"},
        {"a (b<=c", "2: blanks are allowed only around the relation sign"},
        {"a +b<=c", "2: blanks are allowed only around the relation sign"},
        {"a .b<=c", "2: blanks are allowed only around the relation sign"},
        {"a )<=c", "2: blanks are allowed only around the relation sign"},
        {"a", "2: '<=', '>=' or '=' expected"},
        {"a  ", "4: '<=', '>=' or '=' expected"},
        {"a<b", "3: '=' expected after '<'"},
        {"a>b", "3: '=' expected after '>'"},
        {"a<=b=c", "5: a relation has only one sign"},
        {"a<=b =c", "6: a relation has only one sign"},
        {"z<=a", "1: no element named 'z' in the poset"},
        {"a<=bA", "5: no element named 'A' in the poset"},
        {"(a+b<=c", "5: ')' expected"},
        {"a<=(b", "6: ')' expected"},
        {"a)<=b", "2: ')' without '('"},
        {"()<=a", "2: empty parentheses"},
        {"a+<=b", "3: term expected after '+'"},
        {"a..b<=c", "3: term expected after '.'"},
        {"a<=(", "5: term expected after '('"},
        {"+a<=b", "1: term expected before '+'"},
        {"a<=)b", "4: term expected before ')'"},
        {"a*b<=c", "2: unexpected character '*'"},
        {"a_<=b", "2: unexpected character '_'"},
        {"a<=b{", "5: unexpected character '{'"},
        {"a<=b\t", "5: unexpected byte 0x09"},
        {"a <=\xc3\xa9", "5: unexpected byte 0xC3"},
        {"a *<=b", "3: unexpected character '*'"},
        {"a<=b *", "6: unexpected character '*'"},
        // Without a build no element can be named.
        {"#1<=a", "2: no element #1 in the build (it lists 0)"},
        {"a<=#99999999999999999999", "5: no element #99999999999999999999 in the build (it lists 0)"},
        {"a<=#", "5: element number expected after '#'"},
        {std::string(TERM_MAX_DEPTH, '(') + "a" + std::string(TERM_MAX_DEPTH, ')') + "<=a", "true"},
        {std::string(TERM_MAX_DEPTH + 1, '(') + "a" + std::string(TERM_MAX_DEPTH + 1, ')') + "<=a",
         "1001: term nested deeper than 1000"},
        {std::string(100000, '(') + "a" + std::string(100000, ')') + "<=a",
         "20001: relation longer than 20000 characters"},
        {"b<=" + std::string(RELATION_MAX_LENGTH - 3, 'a'), "false"},
        {"a<=" + std::string(10 << 20, 'b'), "20001: relation longer than 20000 characters"},
    };
    for (const BadRelation &b : bad) EXPECT_EQ(decide(p, b.text), b.complaint) << b.text.substr(0, 20);
}

}  // namespace
