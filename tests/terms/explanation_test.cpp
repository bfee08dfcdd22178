// The explanations: exact text for small relations (tests/data/terms), and
// for any relation each sub-relation explained once, in number order, with
// the text bounded however long the relation.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "data_files.h"
#include "partial_lattice_setup.h"
#include "scripted_console.h"
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
    ParsedRelation relation;
    RelationError error;
    if (!parse_relation(p, text, relation, error)) return text + ": " + error.reason + "\n";
    std::string out = text + (relation_holds(p, relation) ? ": true\n" : ": false\n");
    explain_relation(p, relation, out);
    return out;
}

// The first fault of the numbering: paragraphs numbered 1, 2, ... in order,
// each once, every number referred to has a paragraph or is listed as left
// out; every line indented and at most max_line long. "" when none.
std::string numbering_fault(const std::string &text, std::size_t max_line) {
    std::istringstream lines(text);
    std::string line;
    int paragraphs = 0;
    while (std::getline(lines, line)) {
        if (line.size() > max_line) return "line of " + std::to_string(line.size()) + " characters";
        if (line.rfind("  ", 0) != 0) return "line not indented: " + line;
        int number = 0, to = 0;
        if (std::sscanf(line.c_str(), "  %d. ", &number) == 1 && line.find(". ") == line.find_first_of('.')) {
            if (number != ++paragraphs) return "paragraph " + std::to_string(number) + " out of order";
        } else if (std::sscanf(line.c_str(), "  sub-relations %d to %d are left out", &number, &to) == 2) {
            if (number != paragraphs + 1) return "left out from " + std::to_string(number);
            paragraphs = to;
        }
    }
    // Every reference "(N)" names a paragraph that exists or was left out.
    for (std::size_t at = text.find(" ("); at != std::string::npos; at = text.find(" (", at + 1)) {
        int number = 0;
        char close = 0;
        if (std::sscanf(text.c_str() + at, " (%d%c", &number, &close) == 2 && close == ')' &&
            number > paragraphs)
            return "reference to " + std::to_string(number) + " beyond " + std::to_string(paragraphs);
    }
    return "";
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
         {"a(b+c)<=ab+ac", "ab+ac<=a(b+c)", "a+bc>=(a+b)(a+c)", "a(a+b)=a", "(a+b)(a+c)(b+c)<=ab+ac+bc",
          "a(b+c)<=b+a(b+c)", "a(b+c(a+b))<=b+ac", "a+b<=c(a+b)"}},
        // d < c < a, c < b, d < e with a.b=c and c.e=d defined; dually
        // 1, 2 < 3 < 5, 4 < 5 with 1+2=3 and 3+4=5.
        {"terms/explain_defined_operations.txt", "abcde12345", "dca cb de 13 23 35 45", "a.b c.e 1+2 3+4",
         {"ab<=c", "abe<=d", "3<=1+2", "5<=1+2+4"}},
        {"terms/explain_pentagon.txt", "abc12", "abc a12c", "b.1",
         {"1+b2<=(1+b)2", "(1+b)2<=1+b2", "b1<=a", "b2<=a", "a<=2", "c<=b+1"}},
    };
    for (const ExplainedCase &c : cases) {
        Presentation p = presentation(c.names, c.chains, c.defined);
        std::string all;
        for (const char *relation : c.relations) {
            std::string text = decided_and_explained(p, relation);
            EXPECT_EQ(numbering_fault(text.substr(text.find('\n') + 1), 200), "") << relation;
            all += text;
        }
        data_files::expect_body_equal(all, c.file);
    }
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

TEST(Explanations, StayBoundedForLongRelations) {
    Presentation p = presentation("abc", "", "");
    for (const char *sign : {"<=", ">=", "="}) {
        std::string relation = long_relation(120, sign);
        ASSERT_GT(relation.size(), 6000U);
        std::string text = decided_and_explained(p, relation);
        text.erase(0, text.find('\n') + 1);
        // A paragraph: its head with two terms of at most 64 characters, then
        // lists of at most 8 operands.
        EXPECT_EQ(numbering_fault(text, 800), "") << sign;
        EXPECT_LE(text.size(), 2U * 100U * 4U * 800U) << sign;
        EXPECT_NE(text.find("are left out (at most 100 are explained)"), std::string::npos) << sign;
        EXPECT_NE(text.find(" ... "), std::string::npos) << sign;
    }
}

}  // namespace
