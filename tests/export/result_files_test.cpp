// The exported files of whole sessions on the scripted console: the JSON
// against the lattice and the term list the program printed, the DOT's
// edges against the covers worked out from the JSON's order, and dot's
// rendering of every DOT file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "browser_fixtures.h"
#include "console/cp437.h"
#include "data_files.h"
#include "export/dot_writer.h"
#include "export/json_writer.h"
#include "free_lattice/generation.h"
#include "partial_lattice_setup.h"
#include "scripted_console.h"
#include "term_oracle.h"

namespace {

Lattice &lattice() { return scripted::lattice(); }

using nlohmann::json;

struct ExportSession {
    const char *name;
    const char *keys;  // a whole session ending with the term list and q
    int count;         // elements shown
    bool closed;
    const char *defined;  // what the JSON says was declared defined
};

constexpr const char *NOTHING_DEFINED = R"({"meets":[],"joins":[]})";

const ExportSession SESSIONS[] = {
    // Nothing to list: empty arrays, a diagram without nodes.
    {"EmptyPoset", "\r\rntq", 0, true, NOTHING_DEFINED},
    {"TwoIncomparable", "a b\r\rtq", 4, true, NOTHING_DEFINED},
    // Law test and the four questions declined.
    {"Pentagon", "abc a12c\r\rnnnnntq", 11, true, NOTHING_DEFINED},
    // b.1 and b+2 declared defined; b+2 forces b+1 below c, not to it.
    {"PentagonTwoDefined", "abc a12c\r\rnynnytq", 9, true, R"({"meets":["b.1=a"],"joins":["b+2=c"]})"},
    {"OnePlusThree", "a bcd\r\rtq", 20, true, NOTHING_DEFINED},
    // Names from code 128 up, unknown joins and meets, and element 100.
    {"ThreeAtTheLimit", "a b c\r\rtq", 100, false, NOTHING_DEFINED},
};

void PrintTo(const ExportSession &session, std::ostream *out) { *out << session.name; }

// The notes as the program takes them, between the questions and the build.
ResultNotes notes;

void take_notes(void *taken, const Lattice &built) { note_definitions(built, *static_cast<ResultNotes *>(taken)); }

// The number of elements the session showed.
int shown = -1;
void take_shown(void * /*context*/, const Lattice & /*built*/, int count) { shown = count; }

bool run_session(const ExportSession &session) {
    scripted::start(session.keys);
    notes = ResultNotes{};
    shown = -1;
    return scripted::run_program(SequenceHooks{take_notes, take_shown, &notes}) == 1 && shown == session.count &&
           lattice().closed() == session.closed;
}

std::string utf8_of(const std::string &console_bytes) {
    std::string text;
    for (char byte : console_bytes) {
        char utf8[CP437_UTF8_MAX];
        int length = cp437_to_utf8(static_cast<unsigned char>(byte), utf8);
        text.append(utf8, static_cast<std::size_t>(length));
    }
    return text;
}

// What a join or meet entry must read: the element, or null where the
// table has no element of the list.
json expected_entry(Element value, int count) {
    if (value == NO_ELEMENT || value >= count) return nullptr;
    return value;
}

// Covers from the order alone: the lower covers of y are the maximal
// elements of those strictly below it.
std::set<std::pair<int, int>> covers_of(const json &leq) {
    const int n = static_cast<int>(leq.size());
    auto below = [&](int x, int y) { return x != y && leq[x][y] == 1; };
    std::set<std::pair<int, int>> covers;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            if (!below(x, y)) continue;
            bool maximal = true;
            for (int m = 0; m < n && maximal; ++m) maximal = !(below(x, m) && below(m, y));
            if (maximal) covers.insert({x, y});
        }
    }
    return covers;
}

class ExportedFiles : public testing::TestWithParam<ExportSession> {};

TEST_P(ExportedFiles, JsonHoldsTheTablesAndThePrintedTerms) {
    const ExportSession &session = GetParam();
    ASSERT_TRUE(run_session(session));
    const int n = session.count;
    json result = json::parse(json_text(lattice(), n, notes), nullptr, false);
    ASSERT_FALSE(result.is_discarded()) << "not JSON";
    ASSERT_TRUE(result.is_object());
    EXPECT_EQ(result.size(), 9u);
    EXPECT_EQ(result["generators"], lattice().generators());
    EXPECT_EQ(result["closed"], session.closed);
    // Each session's lattice is finite exactly when its build closed.
    EXPECT_EQ(result["finite"], session.closed);
    EXPECT_EQ(result["verdict"].get<std::string>().rfind(session.closed ? "FL(P) is finite." : "FL(P) is infinite: ", 0),
              0u);
    EXPECT_EQ(result["defined"], json::parse(session.defined));

    std::vector<std::pair<std::string, std::string>> printed = browser_fixtures::printed_terms();
    ASSERT_EQ(printed.size(), static_cast<std::size_t>(n));
    ASSERT_EQ(result["elements"].size(), static_cast<std::size_t>(n));
    // Each canonical form is the element's term, canonical, and its own,
    // by the reference that shares no code with the program's.
    term_oracle::Terms oracle(lattice());
    std::set<std::string> forms;
    for (int e = 0; e < n; ++e) {
        const json &element = result["elements"][e];
        EXPECT_EQ(element.size(), 3u);
        EXPECT_EQ(element["name"], utf8_of(printed[e].first)) << "element " << e;
        EXPECT_EQ(element["term"], utf8_of(printed[e].second)) << "element " << e;
        std::string canonical = element["canonical"];
        int form = oracle.read(canonical);
        ASSERT_GE(form, 0) << canonical;
        EXPECT_TRUE(oracle.equal(form, oracle.read(printed[e].second))) << canonical << " of element " << e;
        EXPECT_EQ(oracle.canonical_fault(form), "") << canonical;
        EXPECT_TRUE(forms.insert(canonical).second) << canonical << " twice";
    }

    int outside = 0;  // entries that are null although the table has a value
    for (const char *key : {"leq", "joins", "meets"}) {
        ASSERT_EQ(result[key].size(), static_cast<std::size_t>(n)) << key;
        for (int r = 0; r < n; ++r) ASSERT_EQ(result[key][r].size(), static_cast<std::size_t>(n)) << key;
    }
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            EXPECT_EQ(result["leq"][r][c], lattice().leq(r, c) ? 1 : 0) << r << "," << c;
            EXPECT_EQ(result["joins"][r][c], expected_entry(lattice().join(r, c), n)) << r << "+" << c;
            EXPECT_EQ(result["meets"][r][c], expected_entry(lattice().meet(r, c), n)) << r << "." << c;
            outside += (lattice().join(r, c) == n) + (lattice().meet(r, c) == n);
        }
    }
    // At the limit the tables name element 100, which is not listed.
    EXPECT_EQ(outside > 0, !session.closed);
}

TEST_P(ExportedFiles, DotHasANodePerElementAndAnEdgePerCover) {
    const ExportSession &session = GetParam();
    ASSERT_TRUE(run_session(session));
    const int n = session.count;
    json result = json::parse(json_text(lattice(), n, notes), nullptr, false);
    ASSERT_FALSE(result.is_discarded());

    std::string others;  // every line that is not an edge
    std::set<std::pair<int, int>> edges;
    std::istringstream lines(dot_text(lattice(), n));
    std::string line;
    int edge_lines = 0;
    while (std::getline(lines, line)) {
        int lower = 0;
        int upper = 0;
        char end = 0;
        if (std::sscanf(line.c_str(), "  %d -> %d%c", &lower, &upper, &end) == 3 && end == ';') {
            edges.insert({lower, upper});
            ++edge_lines;
        } else {
            others += line + "\n";
        }
    }
    std::string expected = "digraph lattice {\n  rankdir=BT;\n  edge [dir=none];\n";
    if (!session.closed) {
        expected += "  labelloc=t;\n  label=\"The build stopped at the limit: only the first 100 elements are "
                    "drawn.\";\n";
    }
    for (int e = 0; e < n; ++e) {
        const json &element = result["elements"][e];
        const bool generator = e < lattice().generators();
        // A generator's term is its own name, so it is not repeated.
        expected += "  " + std::to_string(e) + " [label=\"" + element["name"].get<std::string>() +
                    (generator ? "" : ": " + element["term"].get<std::string>()) + "\", shape=" +
                    (generator ? "box" : "ellipse") + "];\n";
    }
    expected += "}\n";
    EXPECT_EQ(others, expected);
    EXPECT_EQ(edge_lines, static_cast<int>(edges.size())) << "an edge given twice";
    EXPECT_EQ(edges, covers_of(result["leq"]));
}

// dot draws every file without a complaint. CI installs Graphviz; elsewhere
// the check is skipped when dot is missing.
TEST_P(ExportedFiles, DotRendersTheFileWithoutWarnings) {
    if (std::system("command -v dot >/dev/null 2>&1") != 0) GTEST_SKIP() << "Graphviz's dot is not installed";
    const ExportSession &session = GetParam();
    ASSERT_TRUE(run_session(session));
    char folder[] = "/tmp/freelattice-dot-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string input = std::string(folder) + "/lattice.dot";
    const std::string errors = std::string(folder) + "/errors";
    std::ofstream(input) << dot_text(lattice(), session.count);
    int status = std::system(("dot -Tsvg '" + input + "' -o /dev/null 2>'" + errors + "'").c_str());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(data_files::contents(errors), "");
    std::remove(input.c_str());
    std::remove(errors.c_str());
    rmdir(folder);
}

INSTANTIATE_TEST_SUITE_P(Sessions, ExportedFiles, testing::ValuesIn(SESSIONS),
                         [](const testing::TestParamInfo<ExportSession> &param) {
                             return std::string(param.param.name);
                         });

// The file's strings read as the JSON library writes them, invalid UTF-8
// replaced, over random texts rich in what needs care: quotes, backslashes,
// control bytes, UTF-8 whole and broken.
TEST(JsonStrings, WrittenAsTheJsonLibraryWritesThem) {
    const std::string awkward = "\"\\\b\f\n\r\t\x01\x1f\x7f\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\xed\xa0\xc0\xf4\x90\xff";
    std::mt19937 random(24);
    ResultNotes texts;
    texts.decided = true;
    std::string expected;
    for (int k = 0; k < 3000; ++k) {
        std::string text;
        for (unsigned length = random() % 10; text.size() < length;) {
            text += random() % 2 == 0 ? awkward[random() % awkward.size()] : static_cast<char>(random());
        }
        texts.decisions.push_back({text, k % 2 == 0});
        expected += (k == 0 ? "\n    {\"relation\":" : ",\n    {\"relation\":") +
                    json(text).dump(-1, ' ', false, json::error_handler_t::replace) +
                    (k % 2 == 0 ? ",\"holds\":true}" : ",\"holds\":false}");
    }
    const std::string written = json_text(lattice(), 0, texts);
    EXPECT_FALSE(json::parse(written, nullptr, false).is_discarded());
    std::size_t start = written.find("\"decisions\": [");
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(written.substr(start + 14), expected + "\n  ]\n}\n");
}

// Past the dialogue's limit the files hold every element; the names run out
// after 190 elements, and a later one shows as null in the JSON and by its
// number in the build in the diagram, whose edges are still the covers.
TEST(ExportPastTheNames, UnnamedElementsAreNullAndNumberedAndTheCoversHold) {
    scripted::start("");
    ASSERT_TRUE(lattice_setup::set_up("abc", "", ""));
    ASSERT_EQ(build_free_lattice(lattice(), 200, nullptr), BuildEnd::LIMIT);
    const int n = lattice().elements();
    ASSERT_EQ(n, 201);
    json result = json::parse(json_text(lattice(), n, ResultNotes{}), nullptr, false);
    ASSERT_FALSE(result.is_discarded());
    ASSERT_EQ(result["elements"].size(), static_cast<std::size_t>(n));
    std::string dot = dot_text(lattice(), n);
    std::set<std::pair<int, int>> edges;
    std::istringstream lines(dot);
    for (std::string line; std::getline(lines, line);) {
        int lower = 0, upper = 0;
        char end = 0;
        if (std::sscanf(line.c_str(), "  %d -> %d%c", &lower, &upper, &end) == 3 && end == ';') edges.insert({lower, upper});
    }
    for (int e = 0; e < n; ++e) {
        const json &element = result["elements"][e];
        const std::string term = element["term"].get<std::string>();
        std::string label;
        if (e < 190) {
            ASSERT_TRUE(element["name"].is_string()) << e;
            label = element["name"].get<std::string>();
        } else {
            ASSERT_TRUE(element["name"].is_null()) << e;
            label = std::to_string(e + 1);
        }
        if (e >= 3) label += ": " + term;
        EXPECT_NE(dot.find("  " + std::to_string(e) + " [label=" + dot_quoted(label) + ", shape="), std::string::npos) << e;
    }
    EXPECT_EQ(edges, covers_of(result["leq"]));
}

TEST(DotLabels, QuotesAndBackslashesAreEscaped) {
    EXPECT_EQ(dot_quoted("a\"b\\c"), "\"a\\\"b\\\\c\"");
}

}  // namespace
