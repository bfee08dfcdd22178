// The explanations: exact text for small relations (tests/data/terms), and
// for random and long relations the form every proof keeps: each
// sub-relation explained once, in number order, nothing left out, lines of
// 80 columns, labels introduced before use, citations true of P.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "data_files.h"
#include "partial_lattice_setup.h"
#include "random_partial_lattice.h"
#include "scripted_console.h"
#include "terms/canonical_explanation.h"
#include "terms/proof.h"
#include "terms/relations.h"

namespace {

Presentation presentation(const char *names, const char *chains, const char *defined) {
    scripted::start("");
    EXPECT_TRUE(lattice_setup::set_up(names, chains, defined));
    Presentation p;
    presentation_from_lattice(scripted::lattice(), p);
    return p;
}

// What --decide --explain prints for the relation.
std::string decided_and_explained(const Presentation &p, const std::string &text) {
    TermGraph terms;
    terms.reset(p);
    ParsedRelation relation;
    RelationError error;
    if (!parse_relation(text, terms, relation, error)) return text + ": " + error.reason + "\n";
    OrderDecision decision(terms);
    std::string out = text + (relation_holds(decision, relation) ? ": true\n" : ": false\n");
    explain_relation(decision, relation, out);
    return out;
}

// What --canonical --explain prints for the term (without the element).
std::string canonical_and_explained(const Presentation &p, const std::string &text) {
    TermGraph terms;
    terms.reset(p);
    int term = -1;
    RelationError error;
    if (!parse_term(text, terms, term, error)) return text + ": " + error.reason + "\n";
    OrderDecision decision(terms);
    CanonicalForms forms(terms, decision);
    std::vector<CanonicalStep> steps;
    int form = forms.of(term, steps);
    std::string out = text + " = ";
    terms.append_text(form, out);
    out += "\n";
    explain_canonical(decision, steps, form != term, out);
    return out;
}

// What a proof's form promises, checked on what --decide --explain prints
// (the decision line first), with counts of what it saw.
struct ProofForm {
    int paragraphs = 0;
    int labels = 0;
    int facts = 0;
    std::string fault;  // the first fault, "" when none
};

// Lines of at most 80 columns, each indented; steps of a canonical form
// ("  - ") before any paragraph; labels [1], [2], ...
// introduced in order on lines of their own, each term reading back;
// paragraphs numbered 1, 2, ..., no relation twice; then, per paragraph
// (its lines joined), labels used only once introduced and facts cited
// that hold in P. Every reference (N) names a paragraph.
ProofForm proof_form(const Presentation &p, const std::string &printed) {
    ProofForm form;
    auto fail = [&](const std::string &why) {
        if (form.fault.empty()) form.fault = why.substr(0, 200);
    };
    std::set<std::string> heads;
    int last_reference = 0;
    // The facts cited after ", as ": "x<y", "x+y=z" and "x.y=z", each between blanks or commas.
    static const std::regex fact(R"((^|[ ,])(\w)(?:<(\w)|([+.])(\w)=(\w))(?=[ ,]|$))");
    auto paragraph_ends = [&](const std::string &paragraph) {
        if (paragraph.empty()) return;
        if (!heads.insert(paragraph.substr(0, std::min(paragraph.find(" holds"), paragraph.find(" fails")))).second)
            fail("explained twice: " + paragraph);
        for (std::size_t at = paragraph.find('['); at != std::string::npos; at = paragraph.find('[', at + 1))
            if (std::atoi(paragraph.c_str() + at + 1) > form.labels) fail("label used before introduced: " + paragraph);
        for (std::size_t at = paragraph.find(" ("); at != std::string::npos; at = paragraph.find(" (", at + 1)) {
            int number = 0;
            char close = 0;
            if (std::sscanf(paragraph.c_str() + at, " (%d%c", &number, &close) == 2 && close == ')')
                last_reference = std::max(last_reference, number);
        }
        std::string clause = paragraph.substr(std::min(paragraph.size(), paragraph.find(", as ")));
        for (auto it = std::sregex_iterator(clause.begin(), clause.end(), fact); it != std::sregex_iterator(); ++it) {
            const std::smatch &m = *it;
            bool order = m[3].matched;
            auto index = [&](int n) {
                return static_cast<int>(std::find(p.name, p.name + p.count, m.str(n)[0]) - p.name);
            };
            int x = index(2), y = index(order ? 3 : 5), z = order ? 0 : index(6);
            bool known = x < p.count && y < p.count && z < p.count && x != y;
            bool incomparable = known && ((p.above[x] | p.below[x]) >> y & 1U) == 0;
            bool holds = order ? known && (p.above[x] >> y & 1U) != 0
                               : incomparable && (m[4] == "+" ? p.join[x][y] : p.meet[x][y]) == z;
            ++form.facts;
            if (!holds) fail("not true of P: " + m.str());
        }
    };
    std::istringstream lines(printed.substr(printed.find('\n') + 1));
    std::string line, paragraph, introduced;
    std::size_t intro_indent = 0;
    while (std::getline(lines, line)) {
        std::size_t indent = line.find_first_not_of(' ');
        int number = 0;
        char mark = 0;
        if (line.size() > 80) fail("line of " + std::to_string(line.size()) + " columns: " + line);
        if (indent < 2 || indent == std::string::npos) fail("line not indented: " + line);
        if (intro_indent > 0 && indent == intro_indent) {
            introduced += line.substr(indent);
            continue;
        }
        TermGraph terms;
        terms.reset(p);
        RelationError error;
        if (!introduced.empty() && !parse_term(introduced, terms, number, error))
            fail("label does not read back: " + introduced);
        introduced.clear();
        intro_indent = 0;
        bool intro = indent == 2 && std::sscanf(line.c_str(), "  [%d%c = ", &number, &mark) == 2 && mark == ']';
        if (line.rfind("  - ", 0) == 0) {
            if (form.paragraphs > 0) fail("a step after the paragraphs: " + line);
            paragraph_ends(paragraph);
            paragraph = line.substr(4);
        } else if (intro || (indent == 2 && std::sscanf(line.c_str(), "  %d%c ", &number, &mark) == 2 && mark == '.')) {
            paragraph_ends(paragraph);
            paragraph.clear();
            if (number != (intro ? ++form.labels : ++form.paragraphs)) fail("out of order: " + line);
            intro_indent = intro ? line.find(" = ") + 3 : 0;
            (intro ? introduced : paragraph) = line.substr(intro ? intro_indent : line.find(". ") + 2);
        } else if (paragraph.empty() || (indent != 7 && line.rfind("     - ", 0) != 0)) {
            fail("line out of place: " + line);
        } else {
            paragraph += " " + line.substr(indent);
        }
    }
    paragraph_ends(paragraph);
    if (last_reference > form.paragraphs) fail("reference to (" + std::to_string(last_reference) + ")");
    return form;
}

struct ExplainedCase {
    const char *file;
    const char *names;
    const char *chains;
    const char *defined;
    std::vector<const char *> relations;
};

TEST(Explanations, ReadAsRecorded) {
    const ExplainedCase cases[] = {
        {"terms/explain_free_three.txt", "abc", "", "",
         {"a(b+c)<=ab+ac", "ab+ac<=a(b+c)", "a+bc>=(a+b)(a+c)", "a(a+b)=a", "a=a", "(a+b)(a+c)(b+c)<=ab+ac+bc",
          "a(b+c)<=b+a(b+c)", "a(b+c(a+b))<=b+ac", "a+b<=c(a+b)",
          "(a+b)(a+c)(b+c)(a+bc)(b+ac)(c+ab)(a+b(a+c))(b+c(a+b))<=ab+ac+bc+a(b+c)+b(a+c)+c(a+b)+abc",
          "(a+b+c(a+b))(a+c)(b+c)(a+bc)(b+ac)(c+ab)(a+b(a+c))(b+c(a+b))(c+a(b+c))(ab+bc+ca)<=a+c"}},
        // d < c < a, c < b, d < e with a.b=c and c.e=d defined; dually
        // 1, 2 < 3 < 5, 4 < 5 with 1+2=3 and 3+4=5.
        {"terms/explain_defined_operations.txt", "abcde12345", "dca cb de 13 23 35 45", "a.b c.e 1+2 3+4",
         {"ab<=c", "abe<=d", "3<=1+2", "5<=1+2+4"}},
        // a < p < b, c < p < d, p < q, e < q with a+c=p and p+e=q defined.
        {"terms/explain_cited_operations.txt", "apbcdeq", "apb cpd pq eq", "a+c p+e",
         {"p<=(a+c)(b+d)", "(a+c)(b+d)=p", "q<=a+c+e", "a+c+e<=b+d", "q(a+c+e)<=p+e", "p<=(a+c)(a+c+e)"}},
        // a, c < p < q and a, e < r < q with a+c=p, a+e=r and p+r=q: q comes
        // into I(c+e+a) through two joins that share a.
        {"terms/explain_shared_operand.txt", "apqcre", "apq cp arq er", "a+c a+e p+r",
         {"q<=c+e+a", "q<=c+e", "c+e<=q"}},
        {"terms/explain_pentagon.txt", "abc12", "abc a12c", "b.1",
         {"1+b2<=(1+b)2", "(1+b)2<=1+b2", "b1<=a", "b2<=a", "a<=2", "c<=b+1"}},
        // Canonical forms: in FL(3), then over a < p < b, c < p < d with
        // a+c=p, and over a, c < p, a < b, d and c < e, f with a+c=p.
        {"terms/explain_canonical.txt", "abc", "", "", {"#a+ab", "#(a+b)(a+c)(a+b+c)", "#a(b+c)+ab", "#ac+ab"}},
        {"terms/explain_canonical_defined.txt", "apbcd", "apb cpd", "a+c", {"#(a+c)(b+d)", "#d(c+b)+a"}},
        {"terms/explain_canonical_left_out.txt", "acpbdef", "ap cp ab ad ce cf", "a+c", {"#p+bd+ef", "#a+ef"}},
    };
    for (const ExplainedCase &c : cases) {
        Presentation p = presentation(c.names, c.chains, c.defined);
        std::string all;
        for (const char *relation : c.relations) {
            // "#TERM": the canonical form of TERM.
            std::string text = relation[0] == '#' ? canonical_and_explained(p, relation + 1)
                                                  : decided_and_explained(p, relation);
            EXPECT_EQ(proof_form(p, text).fault, "") << relation;
            all += text;
        }
        data_files::expect_body_equal(all, c.file);
    }
}

// The interface as a caller's own steps use it: a word that does not fit
// after the lead goes on the next line, a reference stays with its term, a
// long term (here without a '+' to cut after) is introduced before the first
// block that names it and called by its label after that, and the cited
// relations follow, each once.
TEST(Explanations, LayOutACallersOwnSteps) {
    TermGraph terms;
    terms.reset(presentation("abc", "", ""));
    std::string long_meet(90, 'a');
    ParsedRelation r;
    RelationError error;
    ASSERT_TRUE(parse_relation("a<=a+b", terms, r, error));
    int generator = r.left, join = r.right, meet = -1;
    ASSERT_TRUE(parse_term(long_meet, terms, meet, error));
    OrderDecision decision(terms);
    std::string text;
    Proof proof(decision, text);
    proof.line("  step 1: ");
    proof.prose(std::string(73, 'x') + " and ");
    proof.term(meet);
    proof.prose(" is not ");
    proof.term(join);
    proof.prose(" (" + std::to_string(proof.cite(generator, join)) + ")");
    proof.end_block();
    proof.line("  step 2: ");
    proof.term(meet);
    proof.prose(" (" + std::to_string(proof.cite(generator, join)) + ")");
    proof.end_block();
    proof.write_paragraphs();
    EXPECT_EQ(text, "  [1] = " + long_meet.substr(0, 72) + "\n        " + long_meet.substr(72) +
                        "\n  step 1:\n       " + std::string(73, 'x') +
                        "\n       and [1] is not a+b (1)\n  step 2: [1] (1)\n"
                        "  1. a <= a+b holds: a is in I(a+b) = {a, b}\n");
}

// Random relations over random partial lattices (a quarter of them with
// chains of defined operations), with terms up to hundreds of characters:
// every proof keeps its form.
TEST(Explanations, KeepTheirFormOverRandomPartialLattices) {
    int labels = 0, facts = 0;
    const char *signs[] = {"<=", ">=", "="};
    for (std::uint64_t seed = 1; seed <= 120; ++seed) {
        random_lattice::RandomPartialLattice lattice = random_lattice::make_random_partial_lattice(seed);
        Presentation p;
        presentation_from_lattice(scripted::lattice(), p);
        random_lattice::Random random{seed};
        for (int i = 0; i < 8; ++i) {
            std::string s = random_lattice::term_text(random_lattice::random_term_tree(random, 1 + i % 5), random);
            std::string t = random_lattice::term_text(random_lattice::random_term_tree(random, 1 + i % 4), random);
            std::string relation = s + signs[i % 3] + t;
            for (const std::string &text : {decided_and_explained(p, relation), canonical_and_explained(p, s + "+" + t)}) {
                ProofForm form = proof_form(p, text);
                ASSERT_EQ(form.fault, "") << lattice.describe() << ": " << relation << "\n" << text;
                labels += form.labels;
                facts += form.facts;
            }
        }
    }
    // The checks above met labels and cited facts.
    EXPECT_GT(labels, 0);
    EXPECT_GT(facts, 0);
}

// A meet of meets of three joins against a join of joins of three meets,
// n of each, all different: the generator condition and the cuts by
// generators below or above fail for every pair of a meet and a join, so
// the search branches over both sides at every level.
std::string long_relation(int n, const char *sign) {
    std::string s, t;
    for (int i = 0; i < n; ++i) {
        std::string k(static_cast<std::size_t>(1 + i % 5), 'c'), m(static_cast<std::size_t>(1 + i / 5 % 40), 'b');
        s += "((a+b)(b+" + k + ")(a+c" + m + "))";
        t += (i > 0 ? "+" : "") + std::string("(ab+b") + k + "+a(c+" + m + "))";
    }
    return s + sign + t;
}

TEST(Explanations, AreWholeForLongRelations) {
    Presentation p = presentation("abc", "", "");
    for (const char *sign : {"<=", ">=", "="}) {
        std::string relation = long_relation(120, sign);
        ASSERT_GT(relation.size(), 6000U);
        std::string text = decided_and_explained(p, relation);
        ProofForm form = proof_form(p, text);
        EXPECT_EQ(form.fault, "") << sign;
        EXPECT_GT(form.paragraphs, 100) << sign;
        EXPECT_EQ(text.find(" ... "), std::string::npos) << sign;
    }
}

}  // namespace
