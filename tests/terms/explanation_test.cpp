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
#include "terms/proof.h"
#include "terms/relations.h"

namespace {

Presentation presentation(const char *names, const char *chains, const char *defined) {
    scripted::start("");
    EXPECT_TRUE(lattice_setup::set_up(names, chains, defined));
    Presentation p;
    presentation_from_workspace(p);
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

// Name to index in P, -1 for any other character.
int generator_index(const Presentation &p, char name) {
    for (int g = 0; g < p.count; ++g)
        if (p.name[g] == static_cast<unsigned char>(name)) return g;
    return -1;
}

// What a proof's form promises, checked on its text; counts what it saw.
struct ProofForm {
    int paragraphs = 0;
    int labels = 0;
    int facts = 0;
    std::string fault;  // the first fault, "" when none

    void check(const Presentation &p, const std::string &text);

private:
    void paragraph_text(const Presentation &p, const std::string &paragraph);
    void fail(const std::string &why) {
        if (fault.empty()) fault = why;
    }
    std::set<std::string> heads_;
    std::vector<int> references_;
};

// Lines of at most 80 columns, each indented; labels [1], [2], ...
// introduced in order on lines of their own, each term reading back;
// paragraphs numbered 1, 2, ..., no relation twice; then, per paragraph
// (its lines joined), labels used only once introduced and facts cited
// that hold in P. Every reference (N) names a paragraph.
void ProofForm::check(const Presentation &p, const std::string &text) {
    std::istringstream lines(text);
    std::string line, paragraph, introduced;
    std::size_t intro_indent = 0;
    auto end_intro = [&] {
        TermGraph terms;
        terms.reset(p);
        int id = -1;
        RelationError error;
        if (!introduced.empty() && !parse_term(introduced, terms, id, error))
            fail("label " + std::to_string(labels) + " does not read back: " + introduced);
        introduced.clear();
        intro_indent = 0;
    };
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
        end_intro();
        if (indent == 2 && std::sscanf(line.c_str(), "  [%d%c = ", &number, &mark) == 2 && mark == ']') {
            paragraph_text(p, paragraph);
            paragraph.clear();
            if (number != ++labels) fail("label " + std::to_string(number) + " out of order");
            intro_indent = line.find(" = ") + 3;
            introduced = line.substr(intro_indent);
        } else if (std::sscanf(line.c_str(), "  %d%c ", &number, &mark) == 2 && mark == '.' && indent == 2) {
            paragraph_text(p, paragraph);
            paragraph = line.substr(line.find(". ") + 2);
            if (number != ++paragraphs) fail("paragraph " + std::to_string(number) + " out of order");
        } else if (paragraph.empty()) {
            fail("line outside a paragraph: " + line);
        } else {
            if (indent != 7 && line.rfind("     - ", 0) != 0) fail("continuation misplaced: " + line);
            paragraph += " " + line.substr(indent);
        }
    }
    end_intro();
    paragraph_text(p, paragraph);
    for (int reference : references_)
        if (reference < 1 || reference > paragraphs) fail("reference to (" + std::to_string(reference) + ")");
}

void ProofForm::paragraph_text(const Presentation &p, const std::string &paragraph) {
    if (paragraph.empty()) return;
    if (!heads_.insert(paragraph.substr(0, std::min(paragraph.find(" holds"), paragraph.find(" fails")))).second)
        fail("explained twice: " + paragraph.substr(0, 200));
    for (std::size_t at = paragraph.find('['); at != std::string::npos; at = paragraph.find('[', at + 1))
        if (std::atoi(paragraph.c_str() + at + 1) > labels)
            fail("label used before it is introduced: " + paragraph.substr(0, 200));
    for (std::size_t at = paragraph.find(" ("); at != std::string::npos; at = paragraph.find(" (", at + 1)) {
        int number = 0;
        char close = 0;
        if (std::sscanf(paragraph.c_str() + at, " (%d%c", &number, &close) == 2 && close == ')')
            references_.push_back(number);
    }
    // The facts cited after ", as ": "x<y", "x+y=z" and "x.y=z", each between blanks or commas.
    std::size_t as = paragraph.find(", as ");
    if (as == std::string::npos) return;
    static const std::regex fact(R"((^|[ ,])(\w)(?:<(\w)|([+.])(\w)=(\w))(?=[ ,]|$))");
    std::string clause = paragraph.substr(as + 4);
    for (auto it = std::sregex_iterator(clause.begin(), clause.end(), fact); it != std::sregex_iterator(); ++it) {
        const std::smatch &m = *it;
        int x = generator_index(p, m[2].str()[0]);
        ++facts;
        if (m[3].matched) {
            int y = generator_index(p, m[3].str()[0]);
            if (x < 0 || y < 0 || x == y || (p.above[x] >> y & 1U) == 0) fail("not in P: " + m.str());
            continue;
        }
        int y = generator_index(p, m[5].str()[0]), z = generator_index(p, m[6].str()[0]);
        bool join = m[4] == "+";
        bool incomparable = x >= 0 && y >= 0 && ((p.above[x] | p.below[x]) >> y & 1U) == 0;
        if (!incomparable || z < 0 || (join ? p.join[x][y] : p.meet[x][y]) != z) fail("not defined in P: " + m.str());
    }
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
         {"p<=(a+c)(b+d)", "(a+c)(b+d)=p", "q<=a+c+e", "a+c+e<=b+d", "q(a+c+e)<=p+e"}},
        // a, c < p < q and a, e < r < q with a+c=p, a+e=r and p+r=q: q comes
        // into I(c+e+a) through two joins that share a.
        {"terms/explain_shared_operand.txt", "apqcre", "apq cp arq er", "a+c a+e p+r",
         {"q<=c+e+a", "q<=c+e", "c+e<=q"}},
        {"terms/explain_pentagon.txt", "abc12", "abc a12c", "b.1",
         {"1+b2<=(1+b)2", "(1+b)2<=1+b2", "b1<=a", "b2<=a", "a<=2", "c<=b+1"}},
    };
    for (const ExplainedCase &c : cases) {
        Presentation p = presentation(c.names, c.chains, c.defined);
        std::string all;
        for (const char *relation : c.relations) {
            std::string text = decided_and_explained(p, relation);
            ProofForm form;
            form.check(p, text.substr(text.find('\n') + 1));
            EXPECT_EQ(form.fault, "") << relation;
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
    Presentation p = presentation("abc", "", "");
    TermGraph terms;
    terms.reset(p);
    int join = -1, generator = -1, meet = -1;
    RelationError error;
    std::string long_meet;
    for (int i = 0; i < 30; ++i) long_meet += "abc";
    ASSERT_TRUE(parse_term("a+b", terms, join, error));
    ASSERT_TRUE(parse_term("a", terms, generator, error));
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
        presentation_from_workspace(p);
        random_lattice::Random random{seed};
        for (int i = 0; i < 8; ++i) {
            std::string relation = random_lattice::random_term(random, lattice.names, 1 + i % 5) + signs[i % 3] +
                                   random_lattice::random_term(random, lattice.names, 1 + i % 4);
            std::string text = decided_and_explained(p, relation);
            ProofForm form;
            form.check(p, text.substr(text.find('\n') + 1));
            ASSERT_EQ(form.fault, "") << lattice.describe() << ": " << relation << "\n" << text;
            labels += form.labels;
            facts += form.facts;
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
        text.erase(0, text.find('\n') + 1);
        ProofForm form;
        form.check(p, text);
        EXPECT_EQ(form.fault, "") << sign;
        EXPECT_GT(form.paragraphs, 100) << sign;
        EXPECT_EQ(text.find(" ... "), std::string::npos) << sign;
    }
}

}  // namespace
